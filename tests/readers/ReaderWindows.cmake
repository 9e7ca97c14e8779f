# The lookup controls and the reader windows.
quorin_add_test(tst_uis ${CMAKE_CURRENT_LIST_DIR}/tst_uis.cpp ${CMAKE_CURRENT_LIST_DIR}/ReaderFixture.h UI)
quorin_add_test(tst_readereditfrm ${CMAKE_CURRENT_LIST_DIR}/tst_readereditfrm.cpp ${CMAKE_CURRENT_LIST_DIR}/ReaderFixture.h UI)
quorin_add_test(tst_readerlistfrm ${CMAKE_CURRENT_LIST_DIR}/tst_readerlistfrm.cpp ${CMAKE_CURRENT_LIST_DIR}/ReaderFixture.h UI)
quorin_add_test(tst_picapfrm ${CMAKE_CURRENT_LIST_DIR}/tst_picapfrm.cpp UI)
