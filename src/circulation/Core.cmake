# Circulation core: pending lists of loans, returns and renewals, their saves, and the fine save.
target_sources(quorin_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Circulation.h ${CMAKE_CURRENT_LIST_DIR}/Circulation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FineQuery.h ${CMAKE_CURRENT_LIST_DIR}/FineQuery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BookLoanSet.h ${CMAKE_CURRENT_LIST_DIR}/BookLoanSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JourLoanSet.h ${CMAKE_CURRENT_LIST_DIR}/JourLoanSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BookReturnSet.h ${CMAKE_CURRENT_LIST_DIR}/BookReturnSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JourReturnSet.h ${CMAKE_CURRENT_LIST_DIR}/JourReturnSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BookRenewSet.h ${CMAKE_CURRENT_LIST_DIR}/BookRenewSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JourRenewSet.h ${CMAKE_CURRENT_LIST_DIR}/JourRenewSet.cpp
)
