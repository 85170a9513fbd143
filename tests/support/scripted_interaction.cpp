#include "common/internal/qt_objects.h"
#include "tests/support/scripted_interaction.h"

#include "common/grid/grid_print.h"
#include "common/windows/menu.h"
#include "common/internal/qtext.h"
#include "common/windows/window.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>

namespace {
const char* kindName(ScriptedInteraction::Call::Kind kind)
{
    static const char* const names[] = {"message box", "input box", "file dialog",
                                        "font dialog", "colour dialog", "program start", "print job",
                                        "print preview", "grid print", "page setup dialog", "pop-up menu"};
    return names[kind];
}
} // namespace

ScriptedInteraction::ScriptedInteraction() { setInteraction(this); }

ScriptedInteraction::~ScriptedInteraction()
{
    setInteraction(nullptr);
    // A test that ended on a fatal failure left the rest of its script unused.
    if (testing::Test::HasFatalFailure())
        return;
    for (const Answer& a : answers_)
        ADD_FAILURE() << "unused answer for a " << kindName(a.kind);
    if (!modalActions_.empty())
        ADD_FAILURE() << modalActions_.size() << " modal-window action(s) never ran";
}

ScriptedInteraction& ScriptedInteraction::queue(Answer answer)
{
    answers_.push_back(std::move(answer));
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerMessage(int answer)
{
    return queue({Call::Message, true, answer, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerInput(bool ok, const Text& value)
{
    return queue({Call::Input, ok, 0, value, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerFile(bool ok, const Text& path)
{
    return queue({Call::File, ok, 0, path, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerFont(bool ok, const FontChoice& choice)
{
    return queue({Call::Font, ok, 0, {}, choice, {}});
}

ScriptedInteraction& ScriptedInteraction::answerColour(bool ok, int colour)
{
    return queue({Call::Colour, ok, colour, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerProgram(bool started)
{
    return queue({Call::Program, started, 0, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerPrint(bool printed)
{
    return queue({Call::Print, printed, 0, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerPrintPreview(PreviewOutcome outcome)
{
    return queue({Call::Preview, false, outcome, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerGridPrint(bool printed)
{
    return queue({Call::GridPrint, printed, 0, {}, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::answerPageSetup(bool ok, const ::PageSetup& setup)
{
    return queue({Call::PageSetup, ok, 0, {}, {}, setup});
}

ScriptedInteraction& ScriptedInteraction::answerEveryMessage(int answer)
{
    everyMessage_ = answer;
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerPopupMenu(const Text& itemName)
{
    return queue({Call::Popup, true, 0, itemName, {}, {}});
}

ScriptedInteraction& ScriptedInteraction::inModalWindow(std::function<void(Window&)> action)
{
    modalActions_.push_back(std::move(action));
    return *this;
}

std::vector<ScriptedInteraction::Call> ScriptedInteraction::messages() const
{
    std::vector<Call> result;
    for (const Call& c : calls_)
        if (c.kind == Call::Message)
            result.push_back(c);
    return result;
}

bool ScriptedInteraction::take(Call::Kind kind, Answer& answer)
{
    if (answers_.empty() || answers_.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": \""
                      << gbkToUtf8(calls_.back().text) << "\"";
        return false;
    }
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

int ScriptedInteraction::messageBox(const Text& text, int kind, const Text& caption)
{
    calls_.push_back({Call::Message, text, caption, kind});
    if (everyMessage_ && (answers_.empty() || answers_.front().kind != Call::Message))
        return (kind & 0xF) == BoxOk ? AnswerOk : *everyMessage_;
    Answer a;
    if (!take(Call::Message, a))
        return (kind & 0xF) == BoxOk ? AnswerOk : AnswerCancel;
    return a.number;
}

bool ScriptedInteraction::inputBox(const Text& prompt, const Text& caption, Text& value)
{
    calls_.push_back({Call::Input, prompt, caption, 0});
    Answer a;
    if (!take(Call::Input, a) || !a.ok)
        return false;
    value = a.text;
    return true;
}

bool ScriptedInteraction::fileDialog(FileDialogRequest& request)
{
    calls_.push_back({Call::File, request.title, {}, request.save ? 1 : 0});
    lastFile_ = request;
    Answer a;
    if (!take(Call::File, a) || !a.ok)
        return false;
    request.fileName = a.text;
    return true;
}

bool ScriptedInteraction::fontDialog(FontChoice& choice)
{
    calls_.push_back({Call::Font, choice.font.face, {}, choice.font.points});
    lastFont_ = choice;
    Answer a;
    if (!take(Call::Font, a) || !a.ok)
        return false;
    choice = a.font;
    return true;
}

bool ScriptedInteraction::colourDialog(int& colour)
{
    calls_.push_back({Call::Colour, {}, {}, colour});
    Answer a;
    if (!take(Call::Colour, a) || !a.ok)
        return false;
    colour = a.number;
    return true;
}

ScriptedInteraction& ScriptedInteraction::startProgramsForReal()
{
    realPrograms_ = true;
    return *this;
}

bool ScriptedInteraction::runProgram(const Text& commandLine, int windowMode)
{
    calls_.push_back({Call::Program, commandLine, {}, windowMode});
    if (realPrograms_)
        return platformInteraction().runProgram(commandLine, windowMode);
    Answer a;
    return take(Call::Program, a) && a.ok;
}

ScriptedInteraction& ScriptedInteraction::withoutPrinter()
{
    printerAvailable_ = false;
    return *this;
}

bool ScriptedInteraction::printText(const PrintJob& job)
{
    calls_.push_back({Call::Print, job.lines.empty() ? Text() : job.lines.front().text, {}, 0});
    printJobs_.push_back(job);
    Answer a;
    return take(Call::Print, a) && a.ok;
}

void ScriptedInteraction::popupMenu(Menu& menu)
{
    calls_.push_back({Call::Popup, menu.caption(), {}, 0});
    Answer a;
    if (!take(Call::Popup, a) || a.text.empty())
        return;
    emit QtObjects::menu(menu)->aboutToShow();   // opening it, as the person does
    // Items are found by name, in sub-menus too; only what the menu offers
    // can be chosen.
    auto* item = QtObjects::menu(menu)->findChild<QAction*>(toQString(a.text));
    if (!item || !item->isVisible() || !item->isEnabled()) {
        ADD_FAILURE() << "the pop-up menu offers no item " << gbkToUtf8(a.text);
        return;
    }
    item->trigger();
}

void ScriptedInteraction::modalWindowOpened(Window& window)
{
    if (modalActions_.empty()) {
        // Nobody would ever close it: fail instead of hanging the test.
        ADD_FAILURE() << "unexpected modal window " << gbkToUtf8(window.name());
        Window* target = &window;
        QTimer::singleShot(0, qApp, [target] { closeWindow(*target); });
        return;
    }
    auto action = std::move(modalActions_.front());
    modalActions_.pop_front();
    // Runs from inside the window's own loop, as a person's action would.
    Window* target = &window;
    QTimer::singleShot(0, qApp, [action, target] {
        // A press that ends the test cannot unwind through the window's
        // loop: it stops the action here, and the press that opened the
        // window ends the test once the window is closed.
        try {
            action(*target);
        } catch (const testing::AssertionException&) {
        }
        // An action cut short leaves its window to nobody: closed, the test
        // ends instead of hanging.
        const std::vector<Window*> open = openWindows();
        if (testing::Test::HasFatalFailure() && std::find(open.begin(), open.end(), target) != open.end())
            closeWindow(*target);
    });
}

void ScriptedInteraction::render(const GridPrintout& printout, int firstPage, int lastPage)
{
    RenderedGrid grid;
    grid.setup = printout.pageSetup();
    grid.pageCount = printout.pageCount();
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        printout.applyPageSetup(writer);
        printout.print(writer, firstPage, lastPage, &grid.pages);
    }
    // Page objects, not the page tree ("/Type /Pages").
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    grid.pdfPages = static_cast<int>(QString::fromLatin1(pdf).count(page));
    // A subset of a face is named "ABCDEF+" and the face's name.
    static const QRegularExpression font(QStringLiteral("/BaseFont\\s*/(?:[A-Z]{6}\\+)?([^\\s/<>\\[\\]()]+)"));
    for (auto it = font.globalMatch(QString::fromLatin1(pdf)); it.hasNext();)
        if (const QString name = it.next().captured(1); !grid.fonts.contains(name))
            grid.fonts << name;
    rendered_.push_back(std::move(grid));
}

PreviewOutcome ScriptedInteraction::printPreview(const GridPrintout& printout)
{
    calls_.push_back({Call::Preview, {}, {}, printout.pageCount()});
    render(printout, 1, 0);
    Answer a;
    return take(Call::Preview, a) ? static_cast<PreviewOutcome>(a.number) : PreviewClosed;
}

bool ScriptedInteraction::printGridDocument(const GridPrintout& printout, int firstPage, int lastPage)
{
    calls_.push_back({Call::GridPrint, {}, {}, printout.pageCount()});
    render(printout, firstPage, lastPage);
    Answer a;
    return take(Call::GridPrint, a) && a.ok;
}

bool ScriptedInteraction::pageSetupDialog(::PageSetup& setup)
{
    calls_.push_back({Call::PageSetup, {}, {}, 0});
    lastPageSetup_ = setup;
    Answer a;
    if (!take(Call::PageSetup, a) || !a.ok)
        return false;
    setup = a.page;
    return true;
}
