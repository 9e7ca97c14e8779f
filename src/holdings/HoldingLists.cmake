# The book and journal list windows, their advanced search and their lists.
target_sources(quorin_ui PRIVATE
    HoldingList.h
    HoldingFindFrm.h HoldingFindFrm.cpp
    HoldingListFrm.h HoldingListFrm.cpp
    BookListFrm.h BookListFrm.cpp
    JournalListFrm.h JournalListFrm.cpp
)
