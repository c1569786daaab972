#pragma once

// The table layer in one include: format, header and record access, search, ordered writes.
#include "quenkit/dbf/DbfFormat.h"
#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/dbf/DbfWrite.h"
