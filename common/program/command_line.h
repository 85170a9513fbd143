#pragma once
// Of the program service, for starting other programs (also from the Qt
// seam): a raw command line as program code writes it, split into the
// program and its arguments without a shell.
#include "common/text/gbk.h"
#include <QStringList>

// Blanks separate words, double quotes group them. A word holding "\" is a
// path: it is mapped to the file system, and where an unquoted path holds
// blanks, neighbouring words are joined while the existing part of the
// joined path then reaches past the first word (the blank lies inside a
// name). Other words (options such as "/p") pass as they are. Empty for a
// blank line.
QStringList splitCommandLine(const Text& commandLine);

// The print spooler's client, which takes a file for the default printer.
inline const QString kPrintSpooler = QStringLiteral("lp");

// The command of this platform that stands in for a command the program
// code writes for the original platform: "hh.exe" (the help viewer) opens
// its file with the desktop's viewer, "mspaint … /p" prints its picture
// file through the print spooler at the picture's own size; other commands
// unchanged.
QStringList platformCommand(QStringList words);

// Starts a platform command without waiting for it. The print spooler is
// waited for only until it answers whether it took the job; a job it
// refuses is reported with the reason it gives. False when the command
// cannot be started.
bool startPlatformCommand(QStringList words);
