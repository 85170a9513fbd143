#include "tests/support/program_directory.h"
#include "common/files/files.h"

#include <QDir>
#include <QFile>

#include <cstdio>

#include <gtest/gtest.h>

TestProgramDirectory::TestProgramDirectory(bool withDatabase) : home_("QELVANA_HOME")
{
    EXPECT_TRUE(dir_.isValid());
    setenv("QELVANA_HOME", QFile::encodeName(dir_.path()).constData(), 1);
    const QString delivered = qEnvironmentVariable("QELVANA_PROGRAM_DIR");
    EXPECT_TRUE(QFile::copy(delivered + "/Meeting.dsn", file("Meeting.dsn")));
    // The delivered templates: reports, table cards, the welcome label.
    for (const QString& name : QDir(delivered).entryList({"*.grd", "*.rtf"}, QDir::Files))
        EXPECT_TRUE(QFile::copy(delivered + "/" + name, file(name)));
    // The design pictures, which windows show from the start.
    EXPECT_TRUE(QDir(dir_.path()).mkdir("pictures"));
    for (const QString& name : QDir(delivered + "/pictures").entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(delivered + "/pictures/" + name, file("pictures/" + name)));
    if (withDatabase) {
        EXPECT_TRUE(QFile::copy(QELVANA_DELIVERED_DATABASE, file("meeting.mdb")));
        QFile::setPermissions(file("meeting.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    }
    EXPECT_TRUE(QDir(dir_.path()).mkdir("data"));
}

Text TestProgramDirectory::programPath() const { return programDirectory(); }

void TestProgramDirectory::replaceDatabaseBehindTheProgram(const QString& source) const
{
    const QString database = file("meeting.mdb"), incoming = file("meeting.mdb.incoming");
    EXPECT_TRUE(QFile::copy(source, incoming));
    EXPECT_EQ(std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(database).constData()), 0);
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(database + suffix);
}
