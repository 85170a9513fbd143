#include "app/startup.h"

int main()
{
    startProgram();
}
