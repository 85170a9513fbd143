#pragma once
// The backup file: a whole directory tree packed into one file and back.
//
// A backup file holds three values written by one writeValues call: the
// file count as decimal text, then the list of packed relative names and the
// list of packed contents (packBytes), entry i of both lists being one file,
// in walk order. A relative name is the file's path from the packed
// directory's own name on ("data\photo.PIC", "data\sub\photo.PIC").
//
// The routines report through their result only: "" on success, else an
// error text naming the path concerned; they never show a message.
#include "common/text.h"

// Packs every file below `sourceDirectory` (a trailing "\" is ignored) into
// `targetFile`, creating its missing directories. The tree is read whole
// before the target is touched, and the target is replaced only once the
// new file is written completely: a failed backup leaves an older file of
// that name as it was. A file of the tree that cannot be read fails the
// backup rather than being stored empty.
Text packDirectoryToFile(const Text& sourceDirectory, const Text& targetFile);

// Recreates the files of `backupFile` below `targetDirectory`, replacing
// files of the same name (read-only ones included). The whole file is read
// and checked before anything is written: a damaged, truncated or foreign
// file, a count that the file cannot hold, or a name that is not a plain
// path below "data\" (an empty, "." or ".." level, "/", a NUL) refuses the
// whole file with the read error and changes nothing on disk. A write that
// fails part-way leaves the files written before it.
Text unpackFileToDirectory(const Text& backupFile, const Text& targetDirectory);

// The walk: appends the full path and the packed content of every file of
// `directory` to packedFilePaths and packedFileContents, a directory's own
// files before its subdirectories (those whose name starts with "." are
// skipped), letting pending window events run once per directory. Gives ""
// or the path of the first file that could not be read, where it stops.
Text collectFilesRecursive(const Text& directory);

// Creates every missing level of `path` (a trailing "\" is ignored); true
// when all of them exist at the end.
bool createDirectoryPath(const Text& path);
