#include "testmain.h"
#include "tst_schema.h"
#include "tst_services.h"

EQ_TEST_MAIN(TstSchema, TstServices)
