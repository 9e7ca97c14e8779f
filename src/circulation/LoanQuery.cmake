# The loan query: its condition builder, the book and journal query sets, the query window.
target_sources(quorin_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LoanWhere.h ${CMAKE_CURRENT_LIST_DIR}/LoanWhere.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoanQuery.h ${CMAKE_CURRENT_LIST_DIR}/LoanQuery.cpp)
target_sources(quorin_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LoanQueryFrm.h ${CMAKE_CURRENT_LIST_DIR}/LoanQueryFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoanQueryAdvFrm.h ${CMAKE_CURRENT_LIST_DIR}/LoanQueryAdvFrm.cpp)
