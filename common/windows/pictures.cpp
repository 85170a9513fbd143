#include "common/windows/pictures.h"

#include "common/files/files.h"
#include "common/internal/pixmaps.h"

Bytes loadPicture(const Text& fileName)
{
    return readFile(programDirectory() + "\\pictures\\" + fileName);
}

bool isPicture(const Bytes& bytes) { return !pixmapFromBytes(bytes).isNull(); }

std::vector<Bytes> loadNumberedPictures(const Text& prefix, int count)
{
    std::vector<Bytes> pictures;
    for (int n = 0; n < count; ++n)
        pictures.push_back(loadPicture(prefix + toText(n) + ".png"));
    return pictures;
}
