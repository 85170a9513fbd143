#pragma once
// A test program directory with the delivered database, a scripted person
// and a connection of the test's own for seeding and checking rows.
#include "app/state/connection.h"
#include "app/state/globals.h"
#include "common/database.h"
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/user_actions.h"

#include <gtest/gtest.h>

class AppTest : public testing::Test {
protected:
    AppTest()
    {
        resetGlobals();
        EXPECT_TRUE(openDatabase(db, connectionText()));
    }
    ~AppTest() override
    {
        for (Window* w : openWindows())
            closeWindow(*w);
        processEvents();
    }
    void exec(const Text& sql) { EXPECT_TRUE(execSql(db, sql)) << gbkToUtf8(sql); }
    // The rows of a query, each as its columns' texts joined by "|".
    TextList rows(const Text& sql, const TextList& columns)
    {
        TextList result;
        int rs = querySql(db, sql);
        EXPECT_NE(rs, 0) << gbkToUtf8(sql);
        for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
            Text row;
            for (const Text& c : columns)
                row += (row.empty() ? "" : "|") + readField(rs, c).text();
            result.push_back(row);
        }
        closeRecordSet(rs);
        return result;
    }
    // The message boxes shown so far, each as "text|caption".
    TextList messageTexts()
    {
        TextList texts;
        for (const auto& m : person.messages())
            texts.push_back(m.text + "|" + m.caption);
        return texts;
    }
    template <class W>
    W* findWindow()
    {
        for (Window* w : openWindows())
            if (auto* found = dynamic_cast<W*>(w))
                return found;
        return nullptr;
    }

    TestProgramDirectory directory;
    ScriptedInteraction person;
    Window seedWindow{"seed", {0, 0, 10, 10}, ""};
    ExternalDatabase db{seedWindow, "seed"};
};
