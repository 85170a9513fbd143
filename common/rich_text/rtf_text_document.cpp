// The rich text format's paragraphs and runs as the blocks and fragments of
// the document a rich-edit unit shows.
#include "common/internal/faces.h"
#include "common/rich_text/rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextCharFormat charFormat(const RtfFormat& format)
{
    QTextCharFormat result;
    if (!format.font.isEmpty())
        result.setFontFamilies(drawnFamilies(format.font));
    result.setFontPointSize(format.halfPoints / 2.0);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    if (format.colour >= 0)
        result.setForeground(QColor::fromRgb(static_cast<QRgb>(format.colour) | 0xFF000000u));
    return result;
}

// Text without a size of its own is shown in the document's default size.
RtfFormat rtfFormat(const QTextCharFormat& format, qreal defaultPoints)
{
    RtfFormat result;
    result.font = format.fontFamilies().toStringList().value(0);
    const qreal points = format.fontPointSize() > 0 ? format.fontPointSize() : defaultPoints;
    if (points > 0)
        result.halfPoints = qRound(points * 2);
    result.bold = format.fontWeight() > QFont::Medium;
    result.italic = format.fontItalic();
    result.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        result.colour = static_cast<int>(format.foreground().color().rgb() & 0xFFFFFFu);
    return result;
}

Qt::Alignment qtAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Centre: return Qt::AlignHCenter;
    case RtfAlignment::Right: return Qt::AlignRight;
    case RtfAlignment::Justified: return Qt::AlignJustify;
    case RtfAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

RtfAlignment rtfAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return RtfAlignment::Centre;
    if (alignment & Qt::AlignRight)
        return RtfAlignment::Right;
    if (alignment & Qt::AlignJustify)
        return RtfAlignment::Justified;
    return RtfAlignment::Left;
}

} // namespace

RtfDocument rtfDocumentOf(const QTextDocument& document)
{
    RtfDocument result;
    const qreal defaultPoints = document.defaultFont().pointSizeF();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = rtfAlignment(block.blockFormat().alignment());
        paragraph.mark = rtfFormat(block.charFormat(), defaultPoints);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextFragment fragment = it.fragment(); fragment.isValid())
                paragraph.runs.push_back({rtfFormat(fragment.charFormat(), defaultPoints), fragment.text()});
        result.paragraphs.push_back(std::move(paragraph));
    }
    return result;
}

void showRtfDocument(QTextDocument& target, const RtfDocument& document)
{
    // Filling is no edit the person could undo.
    target.setUndoRedoEnabled(false);
    target.clear();
    QTextCursor cursor(&target);
    for (size_t i = 0; i < document.paragraphs.size(); ++i) {
        const RtfParagraph& paragraph = document.paragraphs[i];
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(paragraph.alignment));
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(charFormat(paragraph.mark));
        } else {
            cursor.insertBlock(block, charFormat(paragraph.mark));
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.format));
    }
    target.setUndoRedoEnabled(true);
}
