# Tests of the circulation core: loans, returns, renewals, fines, two workstations at once.
quorin_add_test(tst_circulationloans tst_circulationloans.cpp CirculationFixture.h CirculationInvariants.h)
quorin_add_test(tst_circulationreturns tst_circulationreturns.cpp CirculationFixture.h CirculationInvariants.h)
quorin_add_test(tst_circulationrenewals tst_circulationrenewals.cpp CirculationFixture.h CirculationInvariants.h)
quorin_add_test(tst_finequery tst_finequery.cpp CirculationFixture.h CirculationInvariants.h)
quorin_add_test(tst_circulationconcurrency tst_circulationconcurrency.cpp CirculationFixture.h CirculationInvariants.h)
