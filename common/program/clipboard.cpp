#include "common/program/clipboard.h"
#include "common/program/program.h"
#include "common/internal/qtext.h"

#include <QClipboard>
#include <QGuiApplication>

void setClipboardText(const Text& text)
{
    ensureRuntime();
    QGuiApplication::clipboard()->setText(toQString(text));
}

void clearClipboard()
{
    ensureRuntime();
    QGuiApplication::clipboard()->clear();
}

Text clipboardText()
{
    ensureRuntime();
    return fromQString(QGuiApplication::clipboard()->text());
}
