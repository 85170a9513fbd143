#pragma once
// The one seam through which the program waits for a person or reaches
// outside itself: message and input boxes, common dialogs, starting other
// programs. The Qt implementation (common/platform/) is installed by
// default; tests install a scripted one that answers from a queue and
// records every call.
#include "common/dialogs/font_spec.h"
#include "common/text/text.h"

#include <vector>

class Window;
class Menu;
class GridPrintout;
struct PageSetup;

// Message-box kinds (buttons + icon) and answers.
enum BoxKind {
    BoxOk = 0, BoxOkCancel = 1, BoxYesNoCancel = 3, BoxYesNo = 4,
    IconStop = 16, IconQuestion = 32, IconExclamation = 48, IconInformation = 64,
};
enum BoxAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// How a print preview ended: closed without printing, printed from it, or
// printing from it failed (no printer, a printer error, a print-to-file
// target that cannot be written).
enum PreviewOutcome { PreviewClosed, PreviewPrinted, PreviewPrintFailed };

struct FileDialogRequest {
    bool save = false;
    Text title;
    Text fileName;          // initial name in, chosen path out
    Text filter;            // "desc|pattern|desc|pattern" or a lone description
    Text defaultExtension;  // appended to a chosen name that has none
    Text initialDirectory;
};

struct FontChoice {
    FontSpec font;
    int colour = 0;         // 0xBBGGRR
};

// A text print job for the default printer, sent whole when it ends.
struct PrintJob {
    struct Line {
        Text text;
        int points;
    };
    int leftMargin = 0, topMargin = 0;   // millimetres
    std::vector<Line> lines;
};

class Interaction {
public:
    virtual ~Interaction() = default;
    // Closing a box without a button answers Cancel (or No without Cancel).
    virtual int messageBox(const Text& text, int kind, const Text& caption) = 0;
    // `value` holds the initial text and receives the answer on OK.
    virtual bool inputBox(const Text& prompt, const Text& caption, Text& value) = 0;
    virtual bool fileDialog(FileDialogRequest& request) = 0;
    virtual bool fontDialog(FontChoice& choice) = 0;
    virtual bool colourDialog(int& colour) = 0;
    virtual bool runProgram(const Text& commandLine, int windowMode) = 0;
    // Whether a default printer is there to take a job.
    virtual bool printerAvailable() = 0;
    // Prints on the default printer without a dialog; true when the
    // printer took the whole job.
    virtual bool printText(const PrintJob& job) = 0;
    // The print preview window of a grid document, from which the person
    // prints.
    virtual PreviewOutcome printPreview(const GridPrintout& printout) = 0;
    // Prints pages firstPage..lastPage (0: to the last) on the default
    // printer with the document's print settings, without a dialog.
    virtual bool printGridDocument(const GridPrintout& printout, int firstPage, int lastPage) = 0;
    // The page setup dialog; on OK `setup` holds the choice.
    virtual bool pageSetupDialog(PageSetup& setup) = 0;
    // The items of `menu` as a pop-up menu at the mouse position; the chosen
    // item's handler runs before this returns.
    virtual void popupMenu(Menu& menu) = 0;
    // A modal window has opened and its loop is about to run.
    virtual void modalWindowOpened(Window&) {}
};

Interaction& interaction();
// nullptr restores the Qt implementation. The caller keeps ownership.
void setInteraction(Interaction* replacement);
// The Qt implementation itself, for a stand-in that passes calls on to it.
Interaction& platformInteraction();
