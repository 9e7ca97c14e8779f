quorin_add_test(tst_loanquery ${CMAKE_CURRENT_LIST_DIR}/tst_loanquery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tst_loanquery_fixture.h)
quorin_add_test(tst_loanquery_frm ${CMAKE_CURRENT_LIST_DIR}/tst_loanquery_frm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tst_loanquery_fixture.h UI)
