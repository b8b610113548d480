#include "testmain.h"
#include "tst_messages.h"
#include "tst_password.h"

EQ_TEST_MAIN(TstPassword, TstMessages)
