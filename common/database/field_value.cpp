#include "common/database/database.h"

#include <cctype>

FieldValue FieldValue::ofText(Text text)
{
    FieldValue v;
    v.kind_ = TextKind;
    v.null_ = false;
    v.text_ = std::move(text);
    return v;
}

FieldValue FieldValue::ofNumber(double number)
{
    FieldValue v;
    v.kind_ = NumberKind;
    v.null_ = false;
    v.number_ = number;
    return v;
}

FieldValue FieldValue::ofTruth(bool truth)
{
    FieldValue v = ofNumber(truth ? 1 : 0);
    v.kind_ = TruthKind;
    return v;
}

FieldValue FieldValue::ofBytes(Bytes bytes)
{
    FieldValue v = ofText(std::move(bytes));
    v.kind_ = BytesKind;
    return v;
}

FieldValue FieldValue::nullOf(Kind columnKind)
{
    FieldValue v;
    v.kind_ = columnKind;
    return v;
}

Text FieldValue::text() const
{
    if (null_)
        return {};
    switch (kind_) {
    case NumberKind: return toText(number_);
    case TruthKind: return toText(number_ != 0);
    default: return text_;
    }
}

int FieldValue::number() const
{
    if (null_)
        return 0;
    if (kind_ == TextKind || kind_ == BytesKind)
        return toInteger(text_);
    return toInteger(number_);
}

bool FieldValue::truth() const
{
    if (null_)
        return false;
    if (kind_ == TextKind) {
        const Text t = trimSpaces(text_);
        return sameTextIgnoringCase(t, "true") || toNumber(t) != 0;
    }
    return number_ != 0;
}

Text sqlText(const Text& value)
{
    // Byte-wise is safe: 0x27 is never the trail byte of a GBK character.
    Text quoted;
    quoted.reserve(value.size());
    for (char c : value) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted;
}

bool isWholeNumberText(const Text& text)
{
    size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    // Eighteen digits always fit the database's integers.
    if (text.size() == start || text.size() - start > 18)
        return false;
    for (size_t i = start; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}
