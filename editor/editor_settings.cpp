#include "editor/editor_settings.h"

namespace {

const Text kProgram = "Tabrel";
const Text kSection = "用户习惯";

// One row per key, in store order: how it reads and writes the display.
struct SettingKey {
    const char* key;
    int GridDisplay::*colour;
    bool GridDisplay::*flag;
};

const SettingKey kKeys[] = {
    {"表格线颜色", &GridDisplay::lineColour, nullptr},
    {"背景颜色", &GridDisplay::background, nullptr},
    {"允许选择块", nullptr, &GridDisplay::blockSelection},
    {"显示标尺", nullptr, &GridDisplay::rulers},
    {"显示空表格线", nullptr, &GridDisplay::dottedEmptyLines},
    {"禁止调整行高", nullptr, &GridDisplay::fixedRowHeights},
    {"禁止调整列宽", nullptr, &GridDisplay::fixedColumnWidths},
    {"允许粘贴扩展", nullptr, &GridDisplay::pasteExtends},
};

} // namespace

GridDisplay readEditorSettings()
{
    GridDisplay display;   // its defaults are the store's defaults
    for (const SettingKey& k : kKeys) {
        if (k.colour)
            display.*k.colour = readSettingNumber(kProgram, kSection, k.key, display.*k.colour);
        else
            display.*k.flag = readSettingNumber(kProgram, kSection, k.key, display.*k.flag ? 1 : 0) != 0;
    }
    return display;
}

void writeEditorSettings(const GridDisplay& display)
{
    for (const SettingKey& k : kKeys)
        writeSettingNumber(kProgram, kSection, k.key, k.colour ? display.*k.colour : (display.*k.flag ? 1 : 0));
}

Text programPathFor(const Text& directory, const Text& fileName)
{
    // A character boundary test: the second byte of a GBK character may be "\".
    const bool endsInSeparator = !directory.empty() && findTextReverse(directory, "\\") == textLength(directory);
    return directory + (endsInSeparator ? "" : "\\") + fileName;
}

bool registerFileAssociation(const Text& programPath, const RegistryWriter& write)
{
    const Text root = "HKEY_CLASSES_ROOT";
    // Quoted, so that a program path or a document path with blanks stays
    // one word of the command.
    const Text values[][2] = {
        {".zqd\\", "zqdfile"},
        {"zqdfile\\", "Pondel数据库"},
        {"zqdfile\\DefaultIcon\\", programPath + ",0"},
        {"zqdfile\\shell\\open\\command\\", "\"" + programPath + "\" \"%1\""},
    };
    for (const auto& v : values)
        if (!write(root, v[0], v[1]))
            return false;
    return true;
}
