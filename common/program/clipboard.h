#pragma once
// The system clipboard, as text.
#include "common/text/gbk.h"

void setClipboardText(const Text& text);
void clearClipboard();                 // the clipboard is empty afterwards
Text clipboardText();                  // "" when it holds no text
