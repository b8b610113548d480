#pragma once

#include <QtGlobal>

#if defined(CORVA_LIBRARY)
#define CORVA_EXPORT Q_DECL_EXPORT
#else
#define CORVA_EXPORT Q_DECL_IMPORT
#endif
