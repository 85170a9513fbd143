#include "common/qtext.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() { if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as far as the input is valid; returns the bytes consumed.
    size_t run(const char* in, size_t inLen, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        char buffer[4096];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        return inLen - left;
    }

private:
    iconv_t cd_;
};

Converter& gbToUtf16() { thread_local Converter c("UTF-16LE", "GB18030"); return c; }
Converter& utf16ToGb() { thread_local Converter c("GB18030", "UTF-16LE"); return c; }
Converter& gbToUtf8() { thread_local Converter c("UTF-8", "GB18030"); return c; }
Converter& utf8ToGb() { thread_local Converter c("GB18030", "UTF-8"); return c; }

std::string convertLossy(Converter& c, const std::string& in, const char* replacement)
{
    std::string out;
    size_t pos = 0;
    while (pos < in.size()) {
        pos += c.run(in.data() + pos, in.size() - pos, out);
        if (pos < in.size()) {
            out += replacement;
            ++pos;
        }
    }
    return out;
}

} // namespace

QString toQString(const Text& gbk)
{
    QString result;
    result.reserve(static_cast<qsizetype>(gbk.size()));
    size_t pos = 0;
    std::string utf16;
    while (pos < gbk.size()) {
        utf16.clear();
        pos += gbToUtf16().run(gbk.data() + pos, gbk.size() - pos, utf16);
        result.append(QStringView(reinterpret_cast<const char16_t*>(utf16.data()),
                                  static_cast<qsizetype>(utf16.size() / 2)));
        if (pos < gbk.size()) {
            result.append(QChar(static_cast<char16_t>(
                kEscapeBase + static_cast<unsigned char>(gbk[pos]))));
            ++pos;
        }
    }
    return result;
}

Text fromQString(const QString& s)
{
    Text result;
    const char16_t* data = reinterpret_cast<const char16_t*>(s.utf16());
    qsizetype n = s.size();
    qsizetype start = 0;
    auto flush = [&](qsizetype end) {
        if (end > start)
            utf16ToGb().run(reinterpret_cast<const char*>(data + start),
                            static_cast<size_t>(end - start) * 2, result);
    };
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = data[i];
        bool escape = c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF
                      && !(i > 0 && QChar::isHighSurrogate(data[i - 1]));
        if (escape) {
            flush(i);
            result += static_cast<char>(c - kEscapeBase);
            start = i + 1;
        }
    }
    flush(n);
    return result;
}

QString toQtPath(const Text& path)
{
    Text p = path;
    for (size_t i = 0; i < p.size(); i += characterLength(p, i))
        if (p[i] == '\\')
            p[i] = '/';
    return toQString(p);
}

Text fromQtPath(const QString& path)
{
    Text p = fromQString(path);
    for (size_t i = 0; i < p.size(); i += characterLength(p, i))
        if (p[i] == '/')
            p[i] = '\\';
    return p;
}

std::string gbkToUtf8(const Text& gbk) { return convertLossy(gbToUtf8(), gbk, "\xEF\xBF\xBD"); }
Text utf8ToGbk(const std::string& utf8) { return convertLossy(utf8ToGb(), utf8, "?"); }

size_t characterLength(const Text& text, size_t pos)
{
    auto byte = [&](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    unsigned lead = byte(pos);
    if (lead < 0x81 || lead == 0xFF)
        return 1;
    unsigned second = byte(pos + 1);
    if (second >= 0x30 && second <= 0x39) {
        unsigned third = byte(pos + 2), fourth = byte(pos + 3);
        if (third >= 0x81 && third <= 0xFE && fourth >= 0x30 && fourth <= 0x39)
            return 4;
        return 1;
    }
    if (second >= 0x40 && second <= 0xFE && second != 0x7F)
        return 2;
    return 1;
}

bool isCharacterStart(const Text& text, size_t pos)
{
    size_t i = 0;
    while (i < pos)
        i += characterLength(text, i);
    return i == pos;
}

QString toWindowTitle(const Text& caption)
{
    return caption.empty() ? QStringLiteral(" ") : toQString(caption);
}

Text fromWindowTitle(const QString& title)
{
    return title == QStringLiteral(" ") ? Text() : fromQString(title);
}
