#include "testmain.h"
#include "tst_codetree.h"
#include "tst_treeeditor.h"

EQ_TEST_MAIN(TstCodeTree, TstTreeEditor)
