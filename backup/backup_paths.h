#pragma once
// Paths of the backup and the restore: "\" separators that are characters
// of their own (never the trail byte of a double-byte character).
#include "common/text/text.h"

inline bool endsWithSeparator(const Text& path)
{
    return !path.empty() && path.back() == '\\' && isCharacterStart(path, path.size() - 1);
}

inline Text withoutSeparator(const Text& path)
{
    return endsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
}

inline Text withSeparator(const Text& path) { return endsWithSeparator(path) ? path : path + "\\"; }

// The part of `path` before its last "\"; "" when it has none.
inline Text parentOf(const Text& path)
{
    const int slash = findTextReverse(path, "\\");
    return slash < 0 ? Text() : leftText(path, slash - 1);
}
