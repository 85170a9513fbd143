#pragma once
// A program directory of its own for one test: the delivered database,
// data-source file, templates and pictures, an empty data directory, and QELVANA_HOME pointing at it
// until the object goes.
#include "common/text/gbk.h"
#include "tests/support/scoped_env.h"

#include <QTemporaryDir>

class TestProgramDirectory {
public:
    // `withDatabase` false leaves meeting.mdb out.
    explicit TestProgramDirectory(bool withDatabase = true);
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // The program's own form of the directory ("\" separators, GBK).
    Text programPath() const;
    // Puts a copy of `source` in place of meeting.mdb as another program's
    // restore does (a new file renamed over it, the journals of the old
    // content removed), leaving this program's connections as they are.
    void replaceDatabaseBehindTheProgram(const QString& source) const;

private:
    QTemporaryDir dir_;
    ScopedEnv home_;
};
