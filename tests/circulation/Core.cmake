# Tests of the circulation core: loans, returns, renewals, fines, two workstations at once.
quorin_add_test(tst_circulationloans tst_circulationloans.cpp CirculationFixture.h CirculationInvariants.h)
