#include "desk/batch_numbers.h"
#include "desk/serial_number.h"

namespace {

// Texts of digits compared by value: the longer significant part is the
// larger, equal lengths compare digit by digit.
bool notAbove(const Text& a, const Text& b)
{
    const Text x = withoutLeadingZeros(a), y = withoutLeadingZeros(b);
    return x.size() != y.size() ? x.size() < y.size() : x <= y;
}

} // namespace

Text withoutLeadingZeros(const Text& digits)
{
    const size_t first = digits.find_first_not_of('0');
    return first == Text::npos ? Text() : digits.substr(first);
}

TextList batchNumbers(const Text& first, const Text& last, bool everySecond, size_t limit)
{
    if (!isDigitText(first) || !isDigitText(last) || withoutLeadingZeros(first).empty())
        return {};
    TextList numbers;
    for (Text number = first; notAbove(number, last);) {
        if (numbers.size() == limit)
            return {};
        numbers.push_back(number);
        if (everySecond)
            number = nextSerialNumber(number);
        number = nextSerialNumber(number);
    }
    return numbers;
}

int typedPlaceCount(const Text& text)
{
    const Text digits = withoutLeadingZeros(text);
    if (!isDigitText(text) || digits.empty() || digits.size() > 5 || toNumber(digits) > 32767)
        return 0;
    return toInteger(digits);
}
