#include "testmain.h"
#include "tst_dblink.h"

EQ_TEST_MAIN(TstDblink)
