#pragma once
// The Qt seam's own: the program's dialog filters in Qt's form.
#include "common/text/gbk.h"
#include <QString>

// "desc|pattern|desc|pattern" pairs become "desc (pattern);;...". A lone
// description takes its pattern from its parentheses, ASCII or full-width
// ("备份文件(*.JQV)", "WORD文件（*.DOC）"); without one it shows all files.
QString qtFileFilter(const Text& filter);
