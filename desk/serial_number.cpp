#include "desk/serial_number.h"

bool isDigitText(const Text& text)
{
    return !text.empty()
        && text.find_first_not_of("0123456789") == Text::npos;
}

namespace {

// Adds one to a text of decimal digits, carrying at any length; a carry out
// of the first digit makes the text one digit longer ("999" -> "1000").
Text incrementDigits(Text digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

} // namespace

Text nextSerialNumber(const Text& text)
{
    if (isDigitText(text))
        return incrementDigits(text);
    Text result = toText(toNumber(text) + 1);
    if (textLength(result) < textLength(text))
        result = Text(textLength(text) - textLength(result), '0') + result;
    return result;
}
