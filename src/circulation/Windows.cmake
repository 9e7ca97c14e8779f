# Circulation windows: loan, return and renewal, the reader part and pending grids they share, and
# the book and journal pickers.
target_sources(quorin_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ReaderPart.h ${CMAKE_CURRENT_LIST_DIR}/ReaderPart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PendingGrid.h ${CMAKE_CURRENT_LIST_DIR}/PendingGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CirculationFrm.h ${CMAKE_CURRENT_LIST_DIR}/CirculationFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoanEditFrm.h ${CMAKE_CURRENT_LIST_DIR}/LoanEditFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReturnEditFrm.h ${CMAKE_CURRENT_LIST_DIR}/ReturnEditFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RenewEditFrm.h ${CMAKE_CURRENT_LIST_DIR}/RenewEditFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BookPickFrm.h ${CMAKE_CURRENT_LIST_DIR}/BookPickFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JourPickFrm.h ${CMAKE_CURRENT_LIST_DIR}/JourPickFrm.cpp
)
