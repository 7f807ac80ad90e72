#include "app/Program.h"

// Zandrel reads no command line; its exit code is always 0.
int main()
{
    return Zandrel::RunProgram();
}
