#pragma once
// A scripted stand-in for the person at the desk. Answers come from a queue
// given in advance; every call is recorded. A call with no queued answer of
// its kind, or an answer left unused at the end of a test that did not end
// on a fatal failure, fails the test.
#include "common/grid/grid.h"
#include "common/dialogs/interaction.h"
#include "tests/support/gbk_print.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class ScriptedInteraction : public Interaction {
public:
    struct Call {
        enum Kind { Message, Input, File, Font, Colour, Program, Print, Preview, GridPrint, PageSetup, Popup } kind;
        Text text;       // message text, prompt, dialog title, command line or pop-up menu caption
        Text caption;
        int boxKind = 0; // message-box kind, or window mode for programs
    };

    // A grid document as a preview or a print rendered it, into a PDF.
    struct RenderedGrid {
        ::PageSetup setup;             // the document's print settings
        int pageCount = 0;             // the printout's pages
        std::vector<TextList> pages;   // the texts drawn on each rendered page
        int pdfPages = 0;              // pages the PDF holds
        QStringList fonts;             // the faces the PDF embeds, by their PostScript names
    };

    ScriptedInteraction();   // installs itself
    ~ScriptedInteraction() override;   // uninstalls; checks nothing is left

    // Queue answers, in the order the calls will come.
    ScriptedInteraction& answerMessage(int answer);
    ScriptedInteraction& answerInput(bool ok, const Text& value = "");
    ScriptedInteraction& answerFile(bool ok, const Text& path = "");
    ScriptedInteraction& answerFont(bool ok, const FontChoice& choice = {});
    ScriptedInteraction& answerColour(bool ok, int colour = 0);
    ScriptedInteraction& answerProgram(bool started = true);
    // From now on programs are started for real (and still recorded), not
    // answered from the queue.
    ScriptedInteraction& startProgramsForReal();
    ScriptedInteraction& answerPrint(bool printed = true);
    // No default printer from now on: no print job starts.
    ScriptedInteraction& withoutPrinter();
    // Both render the printout; the preview renders every page.
    ScriptedInteraction& answerPrintPreview(PreviewOutcome outcome = PreviewClosed);
    ScriptedInteraction& answerGridPrint(bool printed = true);
    ScriptedInteraction& answerPageSetup(bool ok, const ::PageSetup& setup = {});
    // From now on a message box with no queued answer gets `answer` (an OK
    // box its OK): for long scripted runs whose boxes are not counted.
    ScriptedInteraction& answerEveryMessage(int answer);
    // The name of the item chosen from the next pop-up menu; "" chooses none.
    ScriptedInteraction& answerPopupMenu(const Text& itemName);
    // Runs inside the next modal window's loop, once it has opened. When the
    // test fails fatally inside it (a refused press ends the action), the
    // window is closed.
    ScriptedInteraction& inModalWindow(std::function<void(Window&)> action);

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> messages() const;
    const FileDialogRequest& lastFileRequest() const { return lastFile_; }
    const FontChoice& lastFontRequest() const { return lastFont_; }
    const std::vector<PrintJob>& printJobs() const { return printJobs_; }
    const std::vector<RenderedGrid>& renderedGrids() const { return rendered_; }
    const ::PageSetup& lastPageSetupRequest() const { return lastPageSetup_; }

    int messageBox(const Text& text, int kind, const Text& caption) override;
    bool inputBox(const Text& prompt, const Text& caption, Text& value) override;
    bool fileDialog(FileDialogRequest& request) override;
    bool fontDialog(FontChoice& choice) override;
    bool colourDialog(int& colour) override;
    bool runProgram(const Text& commandLine, int windowMode) override;
    bool printerAvailable() override { return printerAvailable_; }
    bool printText(const PrintJob& job) override;
    PreviewOutcome printPreview(const GridPrintout& printout) override;
    bool printGridDocument(const GridPrintout& printout, int firstPage, int lastPage) override;
    bool pageSetupDialog(::PageSetup& setup) override;
    void popupMenu(Menu& menu) override;
    void modalWindowOpened(Window& window) override;

private:
    struct Answer {
        Call::Kind kind;
        bool ok = false;
        int number = 0;
        Text text;
        FontChoice font;
        ::PageSetup page;
    };
    void render(const GridPrintout& printout, int firstPage, int lastPage);
    ScriptedInteraction& queue(Answer answer);
    bool take(Call::Kind kind, Answer& answer);

    std::deque<Answer> answers_;
    std::optional<int> everyMessage_;
    std::deque<std::function<void(Window&)>> modalActions_;
    std::vector<Call> calls_;
    FileDialogRequest lastFile_;
    FontChoice lastFont_;
    std::vector<PrintJob> printJobs_;
    std::vector<RenderedGrid> rendered_;
    ::PageSetup lastPageSetup_;
    bool printerAvailable_ = true;
    bool realPrograms_ = false;
};
