#pragma once
// An open template editor in a test program directory of its own, with a
// settings and registry store of its own and a scripted person.
#include "state/globals.h"
#include "common/grid/grid_model.h"
#include "common/internal/qt_objects.h"
#include "common/program/settings.h"
#include "common/runtime.h"
#include "editor/template_editor_window.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/user_actions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

class EditorTest : public testing::Test {
protected:
    EditorTest()
    {
        EXPECT_TRUE(config.isValid());
        setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
        resetGlobals();
    }
    ~EditorTest() override
    {
        for (Window* w : openWindows())
            closeWindow(*w);
        processEvents();
    }
    // Opens the editor as the main window does, with the program's command line.
    TemplateEditorWindow& open(const TextList& arguments = {"qelvana"})
    {
        editor = loadWindow<TemplateEditorWindow>(nullptr, false, arguments);
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    DataSource& doc() { return editor->数据源1; }
    void select(int row, int column, int rows = 1, int columns = 1)
    {
        editor->表格1.select({row, column, rows, columns});
    }
    // The window's close box, as the person uses it.
    static void pressCloseBox(Window& w) { QtObjects::container(w)->window()->close(); }
    bool editorOpen() const
    {
        for (Window* w : openWindows())
            if (w == editor)
                return true;
        return false;
    }
    Text path(const Text& name) const { return directory.programPath() + "\\" + name; }
    // The conversion library, built beside the tests, in this program directory.
    void addConversionLibrary()
    {
        const QString delivered = qEnvironmentVariable("QELVANA_PROGRAM_DIR");
        ASSERT_TRUE(QFile::copy(delivered + "/liblumtra.so", directory.file("liblumtra.so")));
    }
    // A saved table of `rows` x 2 whose cell (1, 1) holds `text`.
    Text tableFile(const Text& name, int rows, const Text& text)
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource source{scratch, "scratch"};
        setTableSize(source, rows, 2);
        setCellText(source, 1, 1, text);
        EXPECT_TRUE(saveGridFile(source, path(name)));
        return path(name);
    }
    std::vector<Text> messageTexts() const
    {
        std::vector<Text> texts;
        for (const auto& m : person.messages())
            texts.push_back(m.text);
        return texts;
    }

    ScopedEnv configHome{"XDG_CONFIG_HOME"};
    QTemporaryDir config;
    TestProgramDirectory directory{false};
    ScriptedInteraction person;
    TemplateEditorWindow* editor = nullptr;
};

// The cell as the document holds it; fails the test outside the table.
inline const GridCell& cellAt(const DataSource& source, int row, int column)
{
    static const GridCell none;
    const GridCell* cell = source.document().cell(row, column);
    EXPECT_NE(cell, nullptr) << "no cell (" << row << ", " << column << ")";
    return cell ? *cell : none;
}
