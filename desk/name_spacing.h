#pragma once
// How names are spaced for the seat queue and for table cards (lengths are
// GBK bytes after trimming, so a Chinese character counts two).
#include "common/text.h"

// Two characters get an ideographic space between them.
Text seatQueueName(const Text& name);
// Two characters get blank, ideographic space, blank between them; three
// characters single blanks.
Text tableCardName(const Text& name);
