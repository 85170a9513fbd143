#include "desk/name_spacing.h"

namespace {

// The characters of `text` when each of them is two bytes long; none when
// any is not.
TextList doubleByteCharacters(const Text& text)
{
    TextList characters;
    for (size_t i = 0; i < text.size(); i += 2) {
        if (characterLength(text, i) != 2)
            return {};
        characters.push_back(text.substr(i, 2));
    }
    return characters;
}

} // namespace

bool isTwoCharacterName(const Text& name) { return doubleByteCharacters(trimSpaces(name)).size() == 2; }

Text seatQueueName(const Text& name)
{
    const Text t = trimSpaces(name);
    const TextList c = doubleByteCharacters(t);
    return c.size() == 2 ? c[0] + "　" + c[1] : t;
}

Text tableCardName(const Text& name)
{
    const Text t = trimSpaces(name);
    const TextList c = doubleByteCharacters(t);
    if (c.size() == 2)
        return c[0] + " 　 " + c[1];
    if (c.size() == 3)
        return c[0] + " " + c[1] + " " + c[2];
    return t;
}
