# The reader windows and the lookup controls the edit windows share.
target_sources(quorin_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Uis.h ${CMAKE_CURRENT_LIST_DIR}/Uis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReaderList.h ${CMAKE_CURRENT_LIST_DIR}/ReaderList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReaderEditFrm.h ${CMAKE_CURRENT_LIST_DIR}/ReaderEditFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReaderSearchFrm.h ${CMAKE_CURRENT_LIST_DIR}/ReaderSearchFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReaderListFrm.h ${CMAKE_CURRENT_LIST_DIR}/ReaderListFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PicapFrm.h ${CMAKE_CURRENT_LIST_DIR}/PicapFrm.cpp
)
