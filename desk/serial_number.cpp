#include "desk/serial_number.h"

Text nextSerialNumber(const Text& text)
{
    Text result = toText(toNumber(text) + 1);
    if (textLength(result) < textLength(text))
        result = Text(textLength(text) - textLength(result), '0') + result;
    return result;
}
