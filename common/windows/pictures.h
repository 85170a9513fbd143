#pragma once
// Design pictures delivered in the program directory's "pictures" folder.
#include "common/text/text.h"

#include <vector>

// The bytes of the named picture; "" when it is missing.
Bytes loadPicture(const Text& fileName);

// True when `bytes` are a picture that picture boxes can show.
bool isPicture(const Bytes& bytes);
// An image list: prefix + n + ".png" for n from 0 to count - 1.
std::vector<Bytes> loadNumberedPictures(const Text& prefix, int count);
