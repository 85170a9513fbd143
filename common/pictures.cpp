#include "common/pictures.h"

#include "common/files.h"
#include "common/internal/pixmaps.h"

Bytes loadPicture(const Text& fileName)
{
    return readFile(programDirectory() + "\\pictures\\" + fileName);
}

bool isPicture(const Bytes& bytes) { return !pixmapFromBytes(bytes).isNull(); }
