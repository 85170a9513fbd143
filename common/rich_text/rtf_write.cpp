// Writing rich text format: a font and a colour table of what the runs use,
// then each paragraph with its alignment and the format of its end, its runs
// each in a group of its own.
#include "common/rich_text/rtf.h"
#include "common/internal/qtext.h"

#include <algorithm>

namespace {

class RtfWriter {
public:
    explicit RtfWriter(const RtfDocument& document);
    Bytes write() const;

private:
    int fontIndex(const QString& font) const;
    int colourIndex(int colour) const;
    void collect(const RtfFormat& format);
    Bytes formatWords(const RtfFormat& format) const;

    const RtfDocument& document_;
    std::vector<QString> fonts_;
    std::vector<int> colours_;
};

Bytes hexByte(unsigned char c)
{
    static const char digits[] = "0123456789abcdef";
    return {'\\', '\'', digits[c >> 4], digits[c & 15]};
}

// Non-ASCII characters as \uN, followed by their two GBK bytes for readers
// without Unicode (\uc2); a character outside GBK falls back to "??".
Bytes escaped(const QString& text)
{
    Bytes out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}')
            out += {'\\', static_cast<char>(u)};
        else if (u == '\t')
            out += "\\tab ";
        else if (u == QChar::LineSeparator)
            out += "\\line ";
        else if (u == QChar::Nbsp)
            out += "\\~";
        else if (u >= 0x20 && u < 0x80)
            out += static_cast<char>(u);
        else if (u >= 0x80) {
            out += "\\u" + std::to_string(static_cast<int16_t>(u));
            const Text gbk = ch.isSurrogate() ? Text() : fromQString(QString(ch));
            out += gbk.size() == 2 ? hexByte(static_cast<unsigned char>(gbk[0])) + hexByte(static_cast<unsigned char>(gbk[1])) : "??";
        }
    }
    return out;
}

// Font names in the table are written in code page 936; other than ASCII
// letters and signs as \'hh.
Bytes escapedFontName(const QString& name)
{
    Bytes out;
    for (const char c : fromQString(name)) {
        if (c == ';')
            continue;
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        const auto byte = static_cast<unsigned char>(c);
        out += byte >= 0x80 || byte < 0x20 ? hexByte(byte) : Bytes(1, c);
    }
    return out;
}

const char* alignmentWord(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Centre: return "\\qc";
    case RtfAlignment::Right: return "\\qr";
    case RtfAlignment::Justified: return "\\qj";
    case RtfAlignment::Left: break;
    }
    return "\\ql";
}

RtfWriter::RtfWriter(const RtfDocument& document) : document_(document), fonts_{rtfDefaultFont()}
{
    for (const RtfParagraph& paragraph : document_.paragraphs) {
        collect(paragraph.mark);
        for (const RtfRun& run : paragraph.runs)
            collect(run.format);
    }
}

void RtfWriter::collect(const RtfFormat& format)
{
    if (!format.font.isEmpty() && std::find(fonts_.begin(), fonts_.end(), format.font) == fonts_.end())
        fonts_.push_back(format.font);
    if (format.colour >= 0 && std::find(colours_.begin(), colours_.end(), format.colour) == colours_.end())
        colours_.push_back(format.colour);
}

int RtfWriter::fontIndex(const QString& font) const
{
    const auto found = std::find(fonts_.begin(), fonts_.end(), font);
    return found == fonts_.end() ? 0 : static_cast<int>(found - fonts_.begin());
}

// Entry 0 of the colour table is the automatic colour.
int RtfWriter::colourIndex(int colour) const
{
    return static_cast<int>(std::find(colours_.begin(), colours_.end(), colour) - colours_.begin()) + 1;
}

Bytes RtfWriter::formatWords(const RtfFormat& format) const
{
    Bytes words = "\\f" + std::to_string(fontIndex(format.font)) + "\\fs" + std::to_string(format.halfPoints);
    words += format.bold ? "\\b" : "";
    words += format.italic ? "\\i" : "";
    words += format.underline ? "\\ul" : "";
    if (format.colour >= 0)
        words += "\\cf" + std::to_string(colourIndex(format.colour));
    return words + " ";
}

Bytes RtfWriter::write() const
{
    Bytes out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2\n{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i)
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset134 " + escapedFontName(fonts_[i]) + ";}";
    out += "}\n{\\colortbl;";
    for (const int colour : colours_)
        out += "\\red" + std::to_string((colour >> 16) & 255) + "\\green" + std::to_string((colour >> 8) & 255)
             + "\\blue" + std::to_string(colour & 255) + ";";
    out += "}\n";
    for (const RtfParagraph& paragraph : document_.paragraphs) {
        out += "\\pard" + Bytes(alignmentWord(paragraph.alignment)) + "\\plain" + formatWords(paragraph.mark);
        for (const RtfRun& run : paragraph.runs)
            out += "{\\plain" + formatWords(run.format) + escaped(run.text) + "}";
        out += "\\par\n";
    }
    return out + "}";
}

} // namespace

QString rtfDefaultFont() { return toQString("宋体"); }

Bytes writeRtf(const RtfDocument& document) { return RtfWriter(document).write(); }
