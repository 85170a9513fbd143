#pragma once
// The rich-edit unit: rich text shown and edited. Its content is the
// runtime's rich text (HTML as Qt writes it, as GBK text); plain text is
// taken as it is. Positions and lengths count bytes of the GBK plain text,
// as the text functions do; lines are the paragraphs of that text.
#include "common/unit.h"

class RichEdit : public Unit {
public:
    RichEdit(Container& parent, const Text& name, const Rect& r);
    Text content() const;
    void setContent(const Text& content);
    Text plainText() const;
    int selectionStart() const;
    void setSelection(int start, int length);   // clipped to the text
};

// The first occurrence of `sought` at or after byte position `from`
// (0-based), usable as a selection start; -1 when absent.
int richFindText(const RichEdit& edit, const Text& sought, int from = 0);
void richDeleteSelection(RichEdit& edit);
// The clipboard's text at the caret, over the selection.
void richPaste(RichEdit& edit);
// `text` at the caret, over the selection, without going through the
// clipboard (which stays as the person left it).
void richInsertText(RichEdit& edit, const Text& text);
int richLineCount(const RichEdit& edit);
Text richLineText(const RichEdit& edit, int index);   // 0-based; "" outside
