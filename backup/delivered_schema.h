#pragma once
// The SQL (UTF-8) that builds the delivered database: the program's tables
// and the columns it reads and writes.
#include "common/text/gbk.h"

const Bytes& deliveredSchema();
