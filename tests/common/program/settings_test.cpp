// The settings store, the registry store and the clipboard keep the
// program's values; the stores live under the user's configuration
// directory, which each test points at a temporary one.
#include "common/program/clipboard.h"
#include "common/program/settings.h"
#include "tests/support/gbk_print.h"
#include "tests/support/scoped_env.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tempDir.isValid());
        config = tempDir.path().toStdString();
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }

    ScopedEnv configHome{"XDG_CONFIG_HOME"};
    QTemporaryDir tempDir{QStringLiteral("/tmp/qelvana-config-XXXXXX")};
    std::string config;
};

TEST_F(SettingsTest, NumbersComeBackPerProgramSectionAndKey)
{
    EXPECT_EQ(0xFFFFFF, readSettingNumber("Tabrel", "用户习惯", "背景颜色", 0xFFFFFF));
    writeSettingNumber("Tabrel", "用户习惯", "背景颜色", 0xECECEC);
    writeSettingNumber("Tabrel", "用户习惯", "显示标尺", 0);
    writeSettingNumber("Tabrel", "其他", "显示标尺", -7);
    writeSettingNumber("Other", "用户习惯", "显示标尺", INT_MIN);

    EXPECT_EQ(0xECECEC, readSettingNumber("Tabrel", "用户习惯", "背景颜色", 1));
    EXPECT_EQ(0, readSettingNumber("Tabrel", "用户习惯", "显示标尺", 1));
    EXPECT_EQ(-7, readSettingNumber("Tabrel", "其他", "显示标尺", 1));
    EXPECT_EQ(INT_MIN, readSettingNumber("Other", "用户习惯", "显示标尺", 1));
    EXPECT_EQ(5, readSettingNumber("Tabrel", "用户习惯", "允许选择块", 5));
    EXPECT_TRUE(fs::exists(config + "/Qelvana/Tabrel.ini"));
}

TEST_F(SettingsTest, EditedStoreValuesGiveTheDefaultOrSaturate)
{
    fs::create_directories(config + "/Qelvana");
    std::ofstream(config + "/Qelvana/Edited.ini") << "[S]\nword=abc\nbig=99999999999\nsmall=-99999999999\n";
    EXPECT_EQ(4, readSettingNumber("Edited", "S", "word", 4));
    EXPECT_EQ(INT_MAX, readSettingNumber("Edited", "S", "big", 4));
    EXPECT_EQ(INT_MIN, readSettingNumber("Edited", "S", "small", 4));
}

TEST_F(SettingsTest, RegistryKeepsDefaultValuesApartFromNamedValues)
{
    const Text program = "\\opt\\程序\\qelvana";
    ASSERT_TRUE(writeRegistryText("HKEY_CLASSES_ROOT", ".zqd\\", "zqdfile"));
    ASSERT_TRUE(writeRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\", "Pondel数据库"));
    ASSERT_TRUE(writeRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\DefaultIcon\\", program + ",0"));
    ASSERT_TRUE(writeRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\shell\\open\\command\\", program + " %1"));
    ASSERT_TRUE(writeRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\DefaultIcon", "named"));

    EXPECT_TEXT_EQ("zqdfile", readRegistryText("HKEY_CLASSES_ROOT", ".zqd\\"));
    EXPECT_TEXT_EQ("Pondel数据库", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\"));
    EXPECT_TEXT_EQ(program + ",0", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\DefaultIcon\\"));
    EXPECT_TEXT_EQ(program + " %1", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\shell\\open\\command\\"));
    EXPECT_TEXT_EQ("named", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\DefaultIcon"));
    EXPECT_TEXT_EQ("", readRegistryText("HKEY_CURRENT_USER", ".zqd\\"));
    EXPECT_TRUE(fs::exists(config + "/Qelvana/registry.ini"));
}

TEST_F(SettingsTest, RegistryRefusesPathsThatNameNoValue)
{
    for (const Text keyPath : {"", "\\", "a\\\\b", "\\a", "a/b\\"})
        EXPECT_FALSE(writeRegistryText("HKEY_CLASSES_ROOT", keyPath, "x")) << keyPath;
    EXPECT_FALSE(writeRegistryText("", "a\\", "x"));
    EXPECT_FALSE(writeRegistryText("HKEY\\CLASSES", "a\\", "x"));
}

TEST_F(SettingsTest, RegistryWriteFailsWhenTheStoreCannotBeWritten)
{
    std::ofstream(config + "/Qelvana") << "a file where the directory should be";
    EXPECT_FALSE(writeRegistryText("HKEY_CLASSES_ROOT", ".zqd\\", "zqdfile"));
}

TEST(ClipboardTest, HoldsTheTextUntilCleared)
{
    const Text big5 = "\xA4\xA4\xA4\xE5";   // "中文" in BIG5, kept byte for byte
    setClipboardText("[代表]");
    EXPECT_TEXT_EQ("[代表]", clipboardText());
    setClipboardText(big5);
    EXPECT_EQ(big5, clipboardText());
    clearClipboard();
    EXPECT_TEXT_EQ("", clipboardText());
}

} // namespace
