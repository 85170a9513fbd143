#include "tests/support/scripted_interaction.h"

#include "common/window.h"

#include <QApplication>
#include <QTimer>

namespace {
const char* kindName(ScriptedInteraction::Call::Kind kind)
{
    static const char* const names[] = {"message box", "input box", "file dialog",
                                        "font dialog", "colour dialog", "program start", "print job"};
    return names[kind];
}
} // namespace

ScriptedInteraction::ScriptedInteraction() { setInteraction(this); }

ScriptedInteraction::~ScriptedInteraction()
{
    setInteraction(nullptr);
    for (const Answer& a : answers_)
        ADD_FAILURE() << "unused answer for a " << kindName(a.kind);
    if (!modalActions_.empty())
        ADD_FAILURE() << modalActions_.size() << " modal-window action(s) never ran";
}

ScriptedInteraction& ScriptedInteraction::answerMessage(int answer)
{
    answers_.push_back({Call::Message, true, answer, {}, {}});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerInput(bool ok, const Text& value)
{
    answers_.push_back({Call::Input, ok, 0, value, {}});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerFile(bool ok, const Text& path)
{
    answers_.push_back({Call::File, ok, 0, path, {}});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerFont(bool ok, const FontChoice& choice)
{
    answers_.push_back({Call::Font, ok, 0, {}, choice});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerColour(bool ok, int colour)
{
    answers_.push_back({Call::Colour, ok, colour, {}, {}});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerProgram(bool started)
{
    answers_.push_back({Call::Program, started, 0, {}, {}});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerPrint(bool printed)
{
    answers_.push_back({Call::Print, printed, 0, {}, {}});
    return *this;
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

bool ScriptedInteraction::runProgram(const Text& commandLine, int windowMode)
{
    calls_.push_back({Call::Program, commandLine, {}, windowMode});
    Answer a;
    return take(Call::Program, a) && a.ok;
}

bool ScriptedInteraction::printText(const PrintJob& job)
{
    calls_.push_back({Call::Print, job.lines.empty() ? Text() : job.lines.front().text, {}, 0});
    printJobs_.push_back(job);
    Answer a;
    return take(Call::Print, a) && a.ok;
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
    QTimer::singleShot(0, qApp, [action, target] { action(*target); });
}
