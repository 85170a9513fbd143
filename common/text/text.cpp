#include "common/text/text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <ctime>

namespace {

// Start of the match of `sought` at byte `at`, when it starts and ends on
// character boundaries; `at` is known to be a character start.
bool matchesAt(const Text& text, size_t at, const Text& sought)
{
    if (text.compare(at, sought.size(), sought) != 0)
        return false;
    size_t end = at + sought.size();
    size_t i = at;
    while (i < end)
        i += characterLength(text, i);
    return i == end;
}

bool isBlank(char c) { return c == ' '; }

} // namespace

int textLength(const Text& text)
{
    return text.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

Text leftText(const Text& text, int count)
{
    if (count <= 0)
        return {};
    return text.substr(0, static_cast<size_t>(count));
}

Text rightText(const Text& text, int count)
{
    if (count <= 0)
        return {};
    size_t n = std::min(text.size(), static_cast<size_t>(count));
    return text.substr(text.size() - n);
}

Text midText(const Text& text, int start, int count)
{
    if (start < 1 || count <= 0 || static_cast<size_t>(start) > text.size())
        return {};
    return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
}

int findText(const Text& text, const Text& sought, int from)
{
    if (sought.empty())
        return -1;
    size_t first = from < 1 ? 0 : static_cast<size_t>(from - 1);
    for (size_t i = 0; i < text.size(); i += characterLength(text, i))
        if (i >= first && matchesAt(text, i, sought))
            return static_cast<int>(i + 1);
    return -1;
}

int findTextReverse(const Text& text, const Text& sought)
{
    if (sought.empty())
        return -1;
    int last = -1;
    for (size_t i = 0; i < text.size(); i += characterLength(text, i))
        if (matchesAt(text, i, sought))
            last = static_cast<int>(i + 1);
    return last;
}

bool sameTextIgnoringCase(const Text& a, const Text& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        const size_t n = characterLength(a, i);
        if (n == 1) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            if (lower(a[i]) != lower(b[i]))
                return false;
        } else if (a.compare(i, n, b, i, n) != 0) {
            return false;
        }
        i += n;
    }
    return true;
}

Text trimLeadingSpaces(const Text& text)
{
    size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    return text.substr(begin);
}

Text trimSpaces(const Text& text)
{
    // A blank byte is never part of a double-byte character, so trimming
    // byte by byte from the end is safe.
    Text t = trimLeadingSpaces(text);
    size_t end = t.size();
    while (end > 0 && isBlank(t[end - 1]))
        --end;
    return t.substr(0, end);
}

TextList splitText(const Text& text, const Text& separator)
{
    if (separator.empty())
        return {text};
    TextList parts;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (matchesAt(text, i, separator)) {
            parts.push_back(text.substr(start, i - start));
            i += separator.size();
            start = i;
        } else {
            i += characterLength(text, i);
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

Text toText(int value) { return std::to_string(value); }
Text toText(long long value) { return std::to_string(value); }

Text toText(double value)
{
    if (value == 0)
        return "0";   // also for -0.0
    char buffer[64];
    std::to_chars_result r;
    if (std::trunc(value) == value && std::fabs(value) < 1e17)
        r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    else
        r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Text(buffer, r.ptr);
}

Text toText(bool value) { return value ? "true" : "false"; }

namespace {

// Checks the decimal syntax [sign] digits [. digits] [e [sign] digits] with
// at least one mantissa digit, and estimates the decimal exponent of the
// value so that an out-of-range result can be told overflow from underflow.
bool scanDecimal(const Text& t, size_t& pos, long long& magnitude)
{
    auto digit = [&](size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; };
    size_t i = pos;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    bool anyDigit = false, nonZeroSeen = false;
    long long exponent10 = 0;
    for (; digit(i); ++i) {
        anyDigit = true;
        nonZeroSeen = nonZeroSeen || t[i] != '0';
        if (nonZeroSeen)
            ++exponent10;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; digit(i); ++i) {
            anyDigit = true;
            if (!nonZeroSeen && t[i] == '0')
                --exponent10;
            nonZeroSeen = nonZeroSeen || t[i] != '0';
        }
    }
    if (!anyDigit)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        bool negative = j < t.size() && t[j] == '-';
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        if (!digit(j))
            return false;
        long long e = 0;
        for (; digit(j); ++j)
            e = std::min(e * 10 + (t[j] - '0'), 100000LL);
        exponent10 += negative ? -e : e;
        i = j;
    }
    pos = i;
    magnitude = exponent10;
    return true;
}

} // namespace

double toNumber(const Text& text)
{
    Text t = trimSpaces(text);
    size_t end = 0;
    long long magnitude = 0;
    if (!scanDecimal(t, end, magnitude) || end != t.size())
        return 0;
    bool negative = t[0] == '-';
    const char* first = t.data() + ((t[0] == '+' || t[0] == '-') ? 1 : 0);
    double value = 0;
    auto r = std::from_chars(first, t.data() + t.size(), value);
    if (r.ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

int toInteger(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

int toInteger(const Text& text) { return toInteger(toNumber(text)); }

Bytes toBytes(const Text& text) { return text; }

Text bytesToValue(const Bytes& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

DateTime now() { return DateTime{static_cast<long long>(std::time(nullptr))}; }

Text dateTimeToText(const DateTime& when)
{
    std::time_t t = static_cast<std::time_t>(when.secondsSinceEpoch);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[32];
    size_t n = std::strftime(buffer, sizeof buffer, "%Y%m%d%H%M%S", &local);
    return Text(buffer, n);
}
