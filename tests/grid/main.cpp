#include "testmain.h"
#include "tst_grid.h"
#include "tst_gridlayout.h"
#include "tst_gridsort.h"

EQ_TEST_MAIN(TstGrid, TstGridLayout, TstGridSort)
