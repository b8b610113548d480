#include "testmain.h"
#include "tst_login.h"
#include "tst_rights.h"

EQ_TEST_MAIN(TstLogin, TstRights)
