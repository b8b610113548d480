#include "testmain.h"
#include "tst_listsql.h"
#include "tst_mainwindow.h"

EQ_TEST_MAIN(TstListSql, TstMainWindow)
