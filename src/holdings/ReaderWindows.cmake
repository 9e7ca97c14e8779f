# The reader windows and the lookup controls the edit windows share.
target_sources(quorin_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Uis.h ${CMAKE_CURRENT_LIST_DIR}/Uis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReaderList.h ${CMAKE_CURRENT_LIST_DIR}/ReaderList.cpp
)
