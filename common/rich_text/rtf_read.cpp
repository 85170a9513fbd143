// Reading rich text format: groups carry the character and paragraph state,
// the font and colour tables name what \f and \cf pick, and every group the
// label has no use for (style sheet, document information, pictures, any
// {\* ...}) is read past. Unknown control words are ignored.
#include "common/rich_text/rtf.h"
#include "common/internal/qtext.h"

#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

// Deeper nesting is not text any word processor writes; it only costs memory.
constexpr size_t maxGroupDepth = 500;

enum class Destination { Text, FontTable, ColourTable, Skipped };

// \loch, \hich, \dbch: the kind of characters that follow.
enum class RunType { Low, High, DoubleByte };

// What a group keeps and gives back at its end.
struct State {
    Destination destination = Destination::Text;
    int font = -1;                 // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = -1;               // index into the colour table
    RtfAlignment alignment = RtfAlignment::Left;
    int fallbackLength = 1;        // \ucN: characters after \uN for readers without Unicode
    RunType runType = RunType::Low;
    bool rightToLeft = false;
};

struct Font {
    QString name;
    int codePage = 0;              // 0: the document's
};

bool isSkippedDestination(const std::string& word)
{
    static const std::set<std::string> words = {
        "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "annotation", "listtable", "listoverridetable",
        "revtbl", "rsidtbl", "fldinst", "falt", "panose", "filetbl", "xmlnstbl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "upr", "pgdsctbl",
    };
    return words.contains(word);
}

bool isUnderlineWord(const std::string& word)
{
    static const std::set<std::string> words = {"ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave"};
    return words.contains(word);
}

const std::set<std::string>& associatedWords()
{
    static const std::set<std::string> words = {"af", "afs", "ab", "ai"};
    return words;
}

const std::map<std::string, char16_t>& symbolWords()
{
    static const std::map<std::string, char16_t> words = {
        {"emdash", 0x2014}, {"endash", 0x2013}, {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
    };
    return words;
}

// The code page of a font's \fcharset; 0 for the document's own.
int codePageOfCharacterSet(int characterSet)
{
    static const std::map<int, int> codePages = {
        {0, 1252}, {77, 10000}, {128, 932}, {129, 949}, {134, 936}, {136, 950}, {161, 1253}, {162, 1254},
        {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250},
    };
    const auto found = codePages.find(characterSet);
    return found == codePages.end() ? 0 : found->second;
}

QString fromCodePage(const Bytes& bytes, int codePage)
{
    if (codePage == 936)
        return toQString(bytes);
    QStringDecoder decoder(("windows-" + std::to_string(codePage)).c_str());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Latin1);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

class RtfReader {
public:
    explicit RtfReader(const Bytes& rtf) : in_(rtf) {}
    RtfReading read();

private:
    bool readControl();
    bool readControlSymbol(char symbol);
    void controlWord(const std::string& word, bool hasParameter, int parameter);
    void tableWord(const std::string& word, int parameter);
    void formatWord(const std::string& word, bool hasParameter, int parameter);
    void byte(char c);
    void character(char16_t c);
    void flush();
    void append(const QString& text);
    void endParagraph();
    void endFontEntry();
    void endColour();
    RtfFormat currentFormat() const;
    int currentCodePage() const;
    Text trailingProblem() const;
    RtfReading finish(const Text& problem);

    const Bytes& in_;
    size_t pos_ = 0;
    State state_;
    std::vector<State> groups_;
    int codePage_ = 1252;
    int defaultFont_ = -1;
    std::map<int, Font> fonts_;
    int fontEntry_ = -1;
    int fontEntryCodePage_ = 0;
    Bytes fontName_;
    std::vector<int> colours_;
    int rgb_[3] = {0, 0, 0};
    bool colourGiven_ = false;
    Bytes pending_;                // text bytes not yet decoded
    int skip_ = 0;                 // fallback characters still to pass over
    RtfParagraph paragraph_;
    bool paragraphHasText_ = false;
    RtfDocument document_;
};

RtfReading RtfReader::read()
{
    if (!isRtf(in_))
        return finish("不是 RTF 格式的文本");
    pos_ = in_.find('{');
    while (pos_ < in_.size()) {
        const char c = in_[pos_++];
        if (c == '{' || c == '}') {
            flush();
            skip_ = 0;
        }
        if (c == '{') {
            if (groups_.size() >= maxGroupDepth)
                return finish("大括号嵌套过深");
            groups_.push_back(state_);
        } else if (c == '}') {
            state_ = groups_.back();
            groups_.pop_back();
            if (groups_.empty())
                return finish(trailingProblem());
        } else if (c == '\\') {
            if (!readControl())
                return finish("\\' 之后不是两位十六进制数");
        } else if (c != '\r' && c != '\n') {
            byte(c);
        }
    }
    return finish("文件不完整，缺少结尾的 }");
}

Text RtfReader::trailingProblem() const
{
    const Bytes rest = in_.substr(pos_);
    if (rest.find('}') != Bytes::npos)
        return "多余的 }";
    const bool blank = std::all_of(rest.begin(), rest.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\0'; });
    return blank ? "" : "文档结尾的 } 之后还有内容";
}

RtfReading RtfReader::finish(const Text& problem)
{
    flush();
    if (paragraphHasText_)
        document_.paragraphs.push_back(std::move(paragraph_));
    return {std::move(document_), problem};
}

// False only for a \' without two hex digits; a control cut off by the end of
// the text leaves the group open, which the caller reports.
bool RtfReader::readControl()
{
    if (pos_ >= in_.size())
        return true;
    if (!std::isalpha(static_cast<unsigned char>(in_[pos_])))
        return readControlSymbol(in_[pos_++]);
    std::string word;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])))
        word += in_[pos_++];
    const bool negative = pos_ + 1 < in_.size() && in_[pos_] == '-' && std::isdigit(static_cast<unsigned char>(in_[pos_ + 1]));
    pos_ += negative ? 1 : 0;
    bool hasParameter = false;
    long long parameter = 0;
    for (; pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_])); ++pos_) {
        hasParameter = true;
        parameter = std::min(parameter * 10 + (in_[pos_] - '0'), 1LL << 31);
    }
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_;
    parameter = std::clamp(negative ? -parameter : parameter, -(1LL << 31), (1LL << 31) - 1);
    if (word == "bin") {
        // Raw bytes: never text of the label.
        pos_ = std::min(in_.size(), pos_ + static_cast<size_t>(std::max(0LL, parameter)));
        return true;
    }
    controlWord(word, hasParameter, static_cast<int>(parameter));
    return true;
}

bool RtfReader::readControlSymbol(char symbol)
{
    switch (symbol) {
    case '\'': {
        if (pos_ + 2 > in_.size()) {
            pos_ = in_.size();
            return true;
        }
        const int high = hexValue(in_[pos_]), low = hexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0)
            return false;
        pos_ += 2;
        byte(static_cast<char>(high * 16 + low));
        return true;
    }
    case '\\': case '{': case '}':
        byte(symbol);
        return true;
    case '*':
        flush();
        state_.destination = Destination::Skipped;
        return true;
    case '~': character(0x00A0); return true;
    case '_': character(0x2011); return true;
    case '\r': case '\n':
        controlWord("par", false, 0);
        return true;
    default:
        character(0);   // an optional hyphen and the like: nothing to show
        return true;
    }
}

void RtfReader::controlWord(const std::string& word, bool hasParameter, int parameter)
{
    if (skip_ > 0) {
        --skip_;
        return;
    }
    flush();
    if (state_.destination == Destination::Skipped)
        return;
    if (word == "fonttbl")
        state_.destination = Destination::FontTable;
    else if (word == "colortbl")
        state_.destination = Destination::ColourTable;
    else if (isSkippedDestination(word))
        state_.destination = Destination::Skipped;
    else if (state_.destination != Destination::Text)
        tableWord(word, parameter);
    else if (word == "ansi")
        codePage_ = 1252;
    else if (word == "ansicpg")
        codePage_ = parameter;
    else if (word == "deff")
        defaultFont_ = parameter;
    else if (word == "uc")
        state_.fallbackLength = std::max(0, parameter);
    else if (word == "u") {
        append(QString(QChar(static_cast<char16_t>(parameter))));
        skip_ = state_.fallbackLength;
    } else if (word == "par")
        endParagraph();
    else if (word == "line")
        append(QString(QChar::LineSeparator));
    else if (word == "tab")
        append("\t");
    else if (const auto symbol = symbolWords().find(word); symbol != symbolWords().end())
        append(QString(QChar(symbol->second)));
    else
        formatWord(word, hasParameter, parameter);
}

void RtfReader::tableWord(const std::string& word, int parameter)
{
    if (state_.destination == Destination::FontTable) {
        if (word == "f") {
            fontEntry_ = parameter;
            fontEntryCodePage_ = 0;
        } else if (word == "fcharset") {
            fontEntryCodePage_ = codePageOfCharacterSet(parameter);
        }
        return;
    }
    const int component = word == "red" ? 0 : word == "green" ? 1 : word == "blue" ? 2 : -1;
    if (component >= 0) {
        rgb_[component] = std::clamp(parameter, 0, 255);
        colourGiven_ = true;
    }
}

void RtfReader::formatWord(const std::string& word, bool hasParameter, int parameter)
{
    const bool on = !hasParameter || parameter != 0;
    if (word == "loch" || word == "hich" || word == "dbch")
        state_.runType = word == "loch" ? RunType::Low : word == "hich" ? RunType::High : RunType::DoubleByte;
    else if (word == "rtlch" || word == "ltrch")
        state_.rightToLeft = word == "rtlch";
    else if (associatedWords().contains(word)) {
        // The font, size, bold and italic of the double-byte characters
        // that follow \dbch, which is Chinese text; elsewhere they belong
        // to right-to-left text.
        if (state_.runType == RunType::DoubleByte && !state_.rightToLeft)
            formatWord(word.substr(1), hasParameter, parameter);
    } else if (word == "pard")
        state_.alignment = RtfAlignment::Left;
    else if (word == "ql")
        state_.alignment = RtfAlignment::Left;
    else if (word == "qc")
        state_.alignment = RtfAlignment::Centre;
    else if (word == "qr")
        state_.alignment = RtfAlignment::Right;
    else if (word == "qj")
        state_.alignment = RtfAlignment::Justified;
    else if (word == "plain") {
        const State reset;
        state_.font = reset.font;
        state_.halfPoints = reset.halfPoints;
        state_.bold = state_.italic = state_.underline = false;
        state_.colour = reset.colour;
    } else if (word == "f")
        state_.font = parameter;
    else if (word == "fs" && parameter > 0)
        state_.halfPoints = std::min(parameter, 3276);
    else if (word == "b")
        state_.bold = on;
    else if (word == "i")
        state_.italic = on;
    else if (isUnderlineWord(word))
        state_.underline = on;
    else if (word == "ulnone")
        state_.underline = false;
    else if (word == "cf")
        state_.colour = parameter;
}

// A byte of text or of \'hh, in the code page of the font in use.
void RtfReader::byte(char c)
{
    if (skip_ > 0) {
        --skip_;
        return;
    }
    switch (state_.destination) {
    case Destination::Text: pending_ += c; break;
    case Destination::FontTable:
        if (c == ';')
            endFontEntry();
        else
            fontName_ += c;
        break;
    case Destination::ColourTable:
        if (c == ';')
            endColour();
        break;
    case Destination::Skipped: break;
    }
}

// A character given by a control symbol; 0 shows nothing but still counts
// as a fallback character.
void RtfReader::character(char16_t c)
{
    if (skip_ > 0) {
        --skip_;
        return;
    }
    if (c != 0)
        append(QString(QChar(c)));
}

void RtfReader::flush()
{
    if (pending_.empty())
        return;
    const Bytes bytes = std::move(pending_);
    pending_.clear();
    append(fromCodePage(bytes, currentCodePage()));
}

void RtfReader::append(const QString& given)
{
    if (state_.destination != Destination::Text)
        return;
    flush();
    // Controls and what the rich edit takes for block and object marks are no
    // text of a label.
    QString text = given;
    text.removeIf([](QChar c) {
        return (c < QChar(0x20) && c != u'\t') || c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter
            || c == QChar(0xFDD0) || c == QChar(0xFDD1);
    });
    if (text.isEmpty())
        return;
    const RtfFormat format = currentFormat();
    if (!paragraph_.runs.empty() && paragraph_.runs.back().format == format)
        paragraph_.runs.back().text += text;
    else
        paragraph_.runs.push_back({format, text});
    // A last paragraph without \par keeps what was in effect at its text.
    paragraph_.alignment = state_.alignment;
    paragraph_.mark = format;
    paragraphHasText_ = true;
}

void RtfReader::endParagraph()
{
    paragraph_.alignment = state_.alignment;
    paragraph_.mark = currentFormat();
    document_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
    paragraphHasText_ = false;
}

void RtfReader::endFontEntry()
{
    const int codePage = fontEntryCodePage_ != 0 ? fontEntryCodePage_ : codePage_;
    fonts_[fontEntry_] = {fromCodePage(fontName_, codePage).trimmed(), fontEntryCodePage_};
    fontName_.clear();
}

void RtfReader::endColour()
{
    colours_.push_back(colourGiven_ ? (rgb_[0] << 16) | (rgb_[1] << 8) | rgb_[2] : -1);
    rgb_[0] = rgb_[1] = rgb_[2] = 0;
    colourGiven_ = false;
}

RtfFormat RtfReader::currentFormat() const
{
    RtfFormat format;
    const auto font = fonts_.find(state_.font >= 0 ? state_.font : defaultFont_);
    format.font = font != fonts_.end() && !font->second.name.isEmpty() ? font->second.name : rtfDefaultFont();
    format.halfPoints = state_.halfPoints;
    format.bold = state_.bold;
    format.italic = state_.italic;
    format.underline = state_.underline;
    if (state_.colour >= 0 && state_.colour < static_cast<int>(colours_.size()))
        format.colour = colours_[static_cast<size_t>(state_.colour)];
    return format;
}

int RtfReader::currentCodePage() const
{
    const auto font = fonts_.find(state_.font >= 0 ? state_.font : defaultFont_);
    return font != fonts_.end() && font->second.codePage != 0 ? font->second.codePage : codePage_;
}

} // namespace

bool isRtf(const Bytes& content)
{
    const size_t start = content.find_first_not_of(" \t\r\n");
    return start != Bytes::npos && content.compare(start, 5, "{\\rtf") == 0;
}

RtfReading readRtf(const Bytes& rtf) { return RtfReader(rtf).read(); }
