#include "common/internal/qtext.h"
#include "common/text/text_converter.h"
#include "common/text/gbk.h"

#include <algorithm>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

TextConverter& gbToUtf16() { thread_local TextConverter c("UTF-16LE", "GB18030"); return c; }
TextConverter& utf16ToGb() { thread_local TextConverter c("GB18030", "UTF-16LE"); return c; }

} // namespace

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString toQString(const Text& gbk)
{
    // Most field values (numbers, codes, the blank of an empty field).
    if (isAscii(gbk))
        return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
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

Text fromQString(QStringView s)
{
    Text result;
    const char16_t* data = reinterpret_cast<const char16_t*>(s.utf16());
    qsizetype n = s.size();
    if (std::all_of(data, data + n, [](char16_t c) { return c < 0x80; }))
        return Text(data, data + n);
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

QString toWindowTitle(const Text& caption)
{
    return caption.empty() ? QStringLiteral(" ") : toQString(caption);
}

Text fromWindowTitle(const QString& title)
{
    return title == QStringLiteral(" ") ? Text() : fromQString(title);
}
