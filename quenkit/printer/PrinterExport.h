#pragma once

#include <QtGlobal>

// Classes with a meta-object need their static data exported explicitly on Windows, where
// exporting every function symbol does not cover data.
#if defined(QUENKIT_PRINTER_LIBRARY)
#define QUENKIT_PRINTER_EXPORT Q_DECL_EXPORT
#else
#define QUENKIT_PRINTER_EXPORT Q_DECL_IMPORT
#endif
