#include "testmain.h"
#include "tst_inifile.h"
#include "tst_startup.h"

EQ_TEST_MAIN(TstIniFile, TstStartup)
