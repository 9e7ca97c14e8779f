# The lookup controls and the reader windows.
quorin_add_test(tst_uis ${CMAKE_CURRENT_LIST_DIR}/tst_uis.cpp ${CMAKE_CURRENT_LIST_DIR}/ReaderFixture.h UI)
