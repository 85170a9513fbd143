#include "common/pictures.h"

#include "common/files.h"

Bytes loadPicture(const Text& fileName)
{
    return readFile(programDirectory() + "\\pictures\\" + fileName);
}
