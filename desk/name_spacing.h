#pragma once
// How names are spaced for the seat queue, for table cards and when a
// delegate is stored. The rules count characters of two bytes after the
// surrounding blanks are removed; a name with any other character (a Latin
// letter, a four-byte character) is never cut and stays as trimmed.
#include "common/text/text.h"

// True when the trimmed name is exactly two double-byte characters.
bool isTwoCharacterName(const Text& name);
// Two characters get an ideographic space between them.
Text seatQueueName(const Text& name);
// Two characters get blank, ideographic space, blank between them; three
// characters single blanks.
Text tableCardName(const Text& name);
