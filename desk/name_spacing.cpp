#include "desk/name_spacing.h"

Text seatQueueName(const Text& name)
{
    const Text t = trimSpaces(name);
    return textLength(t) == 4 ? leftText(t, 2) + "　" + rightText(t, 2) : t;
}

Text tableCardName(const Text& name)
{
    const Text t = trimSpaces(name);
    if (textLength(t) == 4)
        return leftText(t, 2) + " 　 " + rightText(t, 2);
    if (textLength(t) == 6)
        return leftText(t, 2) + " " + midText(t, 3, 2) + " " + rightText(t, 2);
    return t;
}
