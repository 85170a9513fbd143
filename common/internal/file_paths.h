#pragma once
// Internal to common/: program paths ("\" separators, GBK bytes) at the file
// system; implemented in common/files/files_paths.cpp.
#include <QString>

#include <string>

// The file-system path for a program path. Names are matched as the program
// expects of a case-insensitive file system: a component that does not exist
// as written resolves to an existing entry of the same name in another case
// ("DATA" finds "data"); components that match nothing stay as written.
QString fileSystemPath(const std::string& path);
