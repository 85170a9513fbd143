#include "common/rich_text/rich_edit.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/rich_text/rtf.h"
#include "common/program/clipboard.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QTextEdit* editOf(const RichEdit& edit) { return static_cast<QTextEdit*>(QtObjects::widget(edit)); }

// Byte positions of the GBK plain text and character positions of Qt.
int toCharacters(const RichEdit& edit, int bytes)
{
    const Text plain = edit.plainText();
    bytes = std::clamp(bytes, 0, static_cast<int>(plain.size()));
    return static_cast<int>(toQString(plain.substr(0, static_cast<size_t>(bytes))).size());
}

int toBytes(const RichEdit& edit, int characters)
{
    const QString plain = editOf(edit)->toPlainText();
    return static_cast<int>(fromQString(plain.left(characters)).size());
}

QStringList linesOf(const RichEdit& edit) { return editOf(edit)->toPlainText().split(u'\n'); }

} // namespace

RichEdit::RichEdit(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new QTextEdit(QtObjects::container(parent)), r)
{
    editOf(*this)->setAcceptRichText(true);
}

Text RichEdit::content() const { return writeRtf(rtfDocumentOf(*editOf(*this)->document())); }

bool RichEdit::setContent(const Text& content, Text* problem)
{
    QTextEdit* edit = editOf(*this);
    if (isRtf(content)) {
        const RtfReading reading = readRtf(content);
        showRtfDocument(*edit->document(), reading.document);
        edit->moveCursor(QTextCursor::Start);
        if (problem)
            *problem = reading.problem;
        return reading.problem.empty();
    }
    const QString text = toQString(content);
    if (Qt::mightBeRichText(text))
        edit->setHtml(text);
    else
        edit->setPlainText(text);
    return true;
}

Text RichEdit::plainText() const { return fromQString(editOf(*this)->toPlainText()); }

int RichEdit::selectionStart() const { return toBytes(*this, editOf(*this)->textCursor().selectionStart()); }

void RichEdit::setSelection(int start, int length)
{
    QTextCursor cursor = editOf(*this)->textCursor();
    const int from = toCharacters(*this, start), to = toCharacters(*this, start + std::max(0, length));
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    editOf(*this)->setTextCursor(cursor);
    // A caret at the start shows the text from its top, margin included.
    if (from == 0)
        editOf(*this)->verticalScrollBar()->setValue(0);
}

int richFindText(const RichEdit& edit, const Text& sought, int from)
{
    if (sought.empty())
        return -1;
    const int found = findText(edit.plainText(), sought, std::max(0, from) + 1);
    return found < 0 ? -1 : found - 1;
}

void richDeleteSelection(RichEdit& edit)
{
    QTextCursor cursor = editOf(edit)->textCursor();
    if (!cursor.hasSelection())
        return;
    QTextCursor first = cursor;
    first.setPosition(cursor.selectionStart() + 1);
    const QTextCharFormat format = first.charFormat();
    cursor.removeSelectedText();
    cursor.setCharFormat(format);
    editOf(edit)->setTextCursor(cursor);
}

void richPaste(RichEdit& edit) { richInsertText(edit, clipboardText()); }

void richInsertText(RichEdit& edit, const Text& text)
{
    QTextCursor cursor = editOf(edit)->textCursor();
    // The text takes the format of the place it goes into.
    cursor.insertText(toQString(text));
    editOf(edit)->setTextCursor(cursor);
}

int richLineCount(const RichEdit& edit) { return static_cast<int>(linesOf(edit).size()); }

Text richLineText(const RichEdit& edit, int index)
{
    const QStringList lines = linesOf(edit);
    return index < 0 || index >= lines.size() ? Text() : fromQString(lines[index]);
}
