#include "testmain.h"
#include "tst_dataset.h"
#include "tst_dialect.h"

EQ_TEST_MAIN(TstDialect, TstDataset)
