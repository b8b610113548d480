#include "testmain.h"
#include "tst_edits.h"
#include "tst_keyfilter.h"
#include "tst_lists.h"

EQ_TEST_MAIN(TstEdits, TstLists, TstKeyFilter)
