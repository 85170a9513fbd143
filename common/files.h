#pragma once
// Files and directories. Paths are GBK texts with "\" separators, either
// absolute or bare names relative to the current directory; the runtime maps
// them to the file system. Writes and copies replace an existing target.
// A name that does not exist as written resolves to an existing name in
// another case, as on the program's original file system ("DATA" finds "data").
#include "common/text.h"

// The executable's directory, or $QELVANA_HOME when set; never ends in "\"
// (the root directory is "").
Text programDirectory();
Text programFileName();            // without the directory
TextList commandLineArgs();        // element 0 is the program, 1 the first argument

bool fileExists(const Text& path);               // a file (not a directory)
long long fileSize(const Text& path);            // bytes; -1 for no file
Bytes readFile(const Text& path);                // "" when missing or unreadable
bool writeFile(const Text& path, const Bytes& bytes);
bool copyFile(const Text& source, const Text& target);
bool deleteFile(const Text& path);
bool createDirectory(const Text& path);
bool setFileAttributes(const Text& path, int attributes);  // archive: writable, not hidden

enum FileAttribute { AttributeNone = 0, AttributeReadOnly = 1, AttributeHidden = 2,
                     AttributeDirectory = 16, AttributeArchive = 32 };

// Starts a search and gives its first name (no directory), "" when none.
// Without the directory attribute only files match; with it only
// directories ("." and ".." included). "*" and "?" are wildcards; names
// match ignoring case, and "*.*" matches every name.
// Searches nest: each findFile call starts a search on top of a stack of
// searches, findNextFile continues the innermost one, and a search that runs
// out (gives "") or is ended by endFileSearch is dropped from the stack. An
// endFileSearch right after a search ran out ends nothing more, so the usual
// "loop until "", then endFileSearch" leaves the enclosing search running.
// A pattern without wildcards is a single test ("does this exist?"): it
// gives the name or "" and never touches the running searches.
Text findFile(const Text& pattern, int attributes = AttributeNone);
Text findNextFile();
void endFileSearch();
// A single test that never disturbs a running search.
bool directoryExists(const Text& path);

// Numbered open files; 0 means failure and every call with 0 is harmless.
enum FileMode { FileRead = 1, FileWrite = 2 };   // FileWrite replaces the file
int openFile(const Text& path, int mode);
void closeFile(int file);
void closeAllFiles();
Text readTextFromFile(int file);                 // the rest of the file
bool writeBytesToFile(int file, const Bytes& bytes);
// Length-prefixed values, read back one call after another.
bool writeValues(int file, const Text& text, const BytesList& first, const BytesList& second);
bool readValues(int file, Text& text);
bool readValues(int file, BytesList& first, BytesList& second);  // sized by the caller
