#pragma once
// The backup file: a whole directory tree packed into one file and back.
//
// A backup file holds three values in the layout of writeValues: the file
// count as decimal text, then the list of packed relative names and the
// list of packed contents (packBytes), entry i of both lists being one file,
// in walk order. A relative name is the file's path from the packed
// directory's own name on ("data\photo.PIC", "data\sub\photo.PIC"); it has
// no empty, "." or ".." level, no "/", ":" or NUL.
//
// Both ways stream: each file is read, packed and written, or read,
// unpacked and written, a piece at a time, so memory does not grow with the
// size of the files. The routines report through their result only: "" on
// success, else an error text naming the path concerned; they never show a
// message.
#include "common/text/text.h"

#include <functional>

// Packs every file below `sourceDirectory` (a trailing "\" is ignored) into
// `targetFile`, creating its missing directories. Links are never followed
// or packed. The file is written beside the target and takes its place,
// synced to disk, only once complete: a failed backup (a file that cannot be
// read to its end, a name that could not be restored) leaves an older file
// of that name as it was.
Text packDirectoryToFile(const Text& sourceDirectory, const Text& targetFile);

// Recreates the files of `backupFile` below `targetDirectory`, replacing
// files of the same name (read-only ones included). Every entry is unpacked
// into the restore's place beside the targets (restore_journal.h) and
// checked first: a damaged, truncated or foreign file, a count or sizes
// that the file or the free disk space cannot hold, names that are not
// RestorableNames (backup_names.h) (read error), a name that would make an
// existing file a folder, go through a link, or put a file where a folder
// is (folder or write error) refuses the whole file and changes nothing.
// Then the files take their places as a whole: all of them, or, after a
// failure or once settleRestore has run after the program was killed, none.
// One restore or backup of a target at a time: while another runs, and
// while what an earlier restore left cannot be settled, it is refused
// (folder error).
Text unpackFileToDirectory(const Text& backupFile, const Text& targetDirectory);

// The first step of every restore into `target` (ending with "\"), under
// its RestoreLock once what an earlier one left is settled (an unsettled
// place refuses it): every entry of `backupFile` unpacked into the
// restore's place and checked as unpackFileToDirectory says, and nothing
// else changed. `names` gets the names in the file's order;
// `unpacked(done, total)` runs after each piece written, with the bytes
// unpacked so far and those the file holds. "" on success, else the error
// text; the caller settles what is left.
Text unpackToRestorePlace(
    const Text& backupFile, const Text& target, TextList& names,
    const std::function<void(unsigned long long done, unsigned long long total)>& unpacked = {});

// The walk: appends the full path of every file of `directory` to
// packedFilePaths, a directory's own files before its subdirectories (those
// whose name starts with "." are skipped), leaving out links, and lets
// pending window events run once per directory.
void collectFilesRecursive(const Text& directory);
