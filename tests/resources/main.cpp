#include "testmain.h"
#include "tst_resources.h"

EQ_TEST_MAIN(TstResources)
