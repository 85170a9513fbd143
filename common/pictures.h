#pragma once
// Design pictures delivered in the program directory's "pictures" folder.
#include "common/text.h"

// The bytes of the named picture; "" when it is missing.
Bytes loadPicture(const Text& fileName);

// True when `bytes` are a picture that picture boxes can show.
bool isPicture(const Bytes& bytes);
