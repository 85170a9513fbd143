// The database provider: a table file that every change is written to.
#include "common/files/files.h"
#include "common/grid/grid_database_provider.h"
#include "tests/common/grid/grid_test_window.h"

#include <QTemporaryDir>

namespace {

struct ProviderWindow : Window {
    ProviderWindow() : Window("ProviderWindow", {0, 0, 200, 100}, "") {}
    DatabaseProvider 数据库提供者1{*this, "数据库提供者1"};
    DataSource 数据源1{*this, "数据源1"};
};

class DatabaseProviderTest : public testing::Test {
protected:
    Text file(const char* name) { return dir.path().toStdString() + "/" + name; }
    QTemporaryDir dir;
    ProviderWindow w;
    int failures = 0;
};

TEST_F(DatabaseProviderTest, ChangesAreWrittenThroughAndReadBack)
{
    ASSERT_TRUE(writeFile(file("t.zqd"), ""));
    ASSERT_TRUE(w.数据库提供者1.setDatabaseFile(file("t.zqd")));
    w.数据源1.setProviderName("数据库提供者1");
    EXPECT_EQ(0, tableRowCount(w.数据源1));
    setTableSize(w.数据源1, 3, 2);
    setCellText(w.数据源1, 2, 2, "甲");

    ProviderWindow again;
    ASSERT_TRUE(again.数据库提供者1.setDatabaseFile(file("t.zqd")));
    again.数据源1.setProviderName("数据库提供者1");
    EXPECT_EQ(3, tableRowCount(again.数据源1));
    EXPECT_TEXT_EQ("甲", cellText(again.数据源1, 2, 2));
}

TEST_F(DatabaseProviderTest, AFileThatIsNoTableIsRefusedAndLeftAlone)
{
    ASSERT_TRUE(writeFile(file("x.zqd"), "not a table"));
    EXPECT_FALSE(w.数据库提供者1.setDatabaseFile(file("x.zqd")));
    EXPECT_FALSE(w.数据库提供者1.setDatabaseFile(file("missing.zqd")));
    EXPECT_TEXT_EQ("", w.数据库提供者1.databaseFile());
    w.数据源1.setProviderName("数据库提供者1");
    setTableSize(w.数据源1, 2, 2);
    EXPECT_EQ(Bytes("not a table"), readFile(file("x.zqd")));
    EXPECT_TRUE(w.数据库提供者1.stored());
}

TEST_F(DatabaseProviderTest, AFailedWriteIsToldAndTheNextWriteRecovers)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("d"));
    ASSERT_TRUE(writeFile(file("d/t.zqd"), ""));
    ASSERT_TRUE(w.数据库提供者1.setDatabaseFile(file("d/t.zqd")));
    w.数据源1.setProviderName("数据库提供者1");
    w.数据库提供者1.storeFailed = [this] { ++failures; };
    ASSERT_TRUE(QDir(dir.filePath("d")).removeRecursively());
    setTableSize(w.数据源1, 2, 2);
    EXPECT_FALSE(w.数据库提供者1.stored());
    EXPECT_EQ(1, failures);

    ASSERT_TRUE(QDir(dir.path()).mkdir("d"));
    setCellText(w.数据源1, 1, 1, "乙");
    EXPECT_TRUE(w.数据库提供者1.stored());
    EXPECT_EQ(1, failures);
    ProviderWindow again;
    ASSERT_TRUE(again.数据库提供者1.setDatabaseFile(file("d/t.zqd")));
    again.数据源1.setProviderName("数据库提供者1");
    EXPECT_TEXT_EQ("乙", cellText(again.数据源1, 1, 1));
    EXPECT_EQ(2, tableRowCount(again.数据源1));
}

} // namespace
