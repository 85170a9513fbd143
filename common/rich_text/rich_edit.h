#pragma once
// The rich-edit unit: rich text shown and edited. Its content is rich text
// format; it also takes labels kept before that format: Qt's HTML, and plain
// text. Positions and lengths count bytes of the GBK plain text, as the text
// functions do; lines are the lines of that text (paragraphs and the line
// breaks inside them).
#include "common/windows/unit.h"

class RichEdit : public Unit {
public:
    RichEdit(Container& parent, const Text& name, const Rect& r);
    Text content() const;
    // False when `content` is damaged rich text format: the unit then shows
    // what could be read, and `problem` (when given) says what is wrong.
    bool setContent(const Text& content, Text* problem = nullptr);
    Text plainText() const;
    int selectionStart() const;
    void setSelection(int start, int length);   // clipped to the text
};

// The first occurrence of `sought` at or after byte position `from`
// (0-based), usable as a selection start; -1 when absent.
int richFindText(const RichEdit& edit, const Text& sought, int from = 0);
// What is pasted next takes the format of the deleted text's first character.
void richDeleteSelection(RichEdit& edit);
// The clipboard's text at the caret, over the selection.
void richPaste(RichEdit& edit);
// `text` at the caret, over the selection, without going through the
// clipboard (which stays as the person left it).
void richInsertText(RichEdit& edit, const Text& text);
int richLineCount(const RichEdit& edit);
Text richLineText(const RichEdit& edit, int index);   // 0-based; "" outside
