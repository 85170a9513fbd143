#include "common/text/gbk.h"
#include "common/text/text_converter.h"

namespace {

TextConverter& gbToUtf8() { thread_local TextConverter c("UTF-8", "GB18030"); return c; }
TextConverter& utf8ToGb() { thread_local TextConverter c("GB18030", "UTF-8"); return c; }

std::string convertLossy(TextConverter& c, const std::string& in, const char* replacement)
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
