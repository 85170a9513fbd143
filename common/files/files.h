#pragma once
// Files and directories. Paths are GBK texts with "\" separators, either
// absolute or bare names relative to the current directory; the runtime maps
// them to the file system. Writes and copies replace an existing target.
// A name that does not exist as written resolves to an existing name in
// another case, as on the program's original file system ("DATA" finds "data").
#include "common/text/text.h"

// The executable's directory, or $QELVANA_HOME when set; never ends in "\"
// (the root directory is "").
Text programDirectory();
Text programFileName();            // without the directory
TextList commandLineArgs();        // element 0 is the program, 1 the first argument

// A path as the person sees it: written with this platform's "/".
Text shownPath(const Text& path);
// A path the person typed, with "/" or "\", in the program's form.
Text typedPath(const Text& text);

// True for a name that stays inside the directory it is joined to: not
// empty, not "." or "..", and without "\", "/" or a drive's ":".
bool isBareFileName(const Text& name);
bool fileExists(const Text& path);               // a file (not a directory)
long long fileSize(const Text& path);            // bytes; -1 for no file
Bytes readFile(const Text& path);                // "" when missing or unreadable
bool writeFile(const Text& path, const Bytes& bytes);
bool copyFile(const Text& source, const Text& target);
bool deleteFile(const Text& path);
bool createDirectory(const Text& path);
// Creates every missing level of `path` (a trailing "\" is ignored); true
// when all of them exist at the end.
bool createDirectoryPath(const Text& path);
bool setFileAttributes(const Text& path, int attributes);  // archive: writable, not hidden
// Puts the file at `source` in place of `target` in one step (a file there
// is replaced, never half written); false leaves both as they were. Across
// file systems the file is copied whole and then the source deleted.
bool moveFile(const Text& source, const Text& target);
// Deletes a directory with everything below it; links inside are removed,
// never followed. True when nothing is left (also when nothing was there).
bool deleteDirectoryTree(const Text& path);
// Removes a directory that holds nothing; false when it is not one.
bool removeEmptyDirectory(const Text& path);
// A symbolic link, whatever it points to (or to nothing).
bool isLink(const Text& path);
// Bytes free to this program on the file system of `path` (an existing
// directory); -1 when unknown.
long long freeDiskSpace(const Text& path);
// True when the existing `first` and `second` (links followed) lie on one
// file system, where moveFile takes one step; false when they do not or
// either is missing.
bool onOneFileSystem(const Text& first, const Text& second);
// Writes everything written to files on the file system of `path` (an
// existing file or directory) through to the disk, as one flush for all of
// them: files put in place before it survive a power cut.
bool syncFileSystem(const Text& path);
// The form in which names that the runtime takes for the same name (names
// match ignoring case) are equal.
Text fileNameKey(const Text& name);
// True when `path` is `place` itself or lies below it, as the file system
// resolves both (links, "." and "..", names in another case).
bool pathIsWithin(const Text& path, const Text& place);

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
// FileWrite empties the file at once. FileReplace writes a new file beside
// `path` that takes its place only at commitFile, synced to disk; closing
// it uncommitted (or the program ending) leaves the old file as it was.
enum FileMode { FileRead = 1, FileWrite = 2, FileReplace = 3 };
int openFile(const Text& path, int mode);
bool commitFile(int file);                       // closes it; false keeps the old file
void closeFile(int file);
void closeAllFiles();
long long filePosition(int file);                // -1 for no open file
bool setFilePosition(int file, long long position);
long long fileLength(int file);                  // -1 for no open file
Text readTextFromFile(int file);                 // the rest of the file
bool writeBytesToFile(int file, const Bytes& bytes);
// Length-prefixed values, read back one call after another.
bool writeValues(int file, const Text& text, const BytesList& first, const BytesList& second);
bool readValues(int file, Text& text);
bool readValues(int file, BytesList& first, BytesList& second);  // sized by the caller
// The same layout a piece at a time, for lists too large to hold:
// writeValues writes writeText, then for each list writeListStart and one
// writeListEntry per entry. A read that fails leaves the position unknown.
bool writeText(int file, const Text& text);
bool writeListStart(int file, size_t count);
bool writeListEntry(int file, const Bytes& value);
bool readListStart(int file, size_t& count);
// Fails on an entry longer than `most` bytes, before reading it.
bool readListEntry(int file, Bytes& value, size_t most);
bool skipListEntry(int file);
