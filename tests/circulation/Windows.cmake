# Tests of the circulation windows, driven as an operator would drive them.
quorin_add_test(tst_circulationfrms tst_circulationfrms.cpp CirculationFixture.h CirculationInvariants.h UI)
quorin_add_test(tst_deskroutine tst_deskroutine.cpp CirculationFixture.h CirculationInvariants.h UI)
