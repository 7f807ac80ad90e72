#include "app/Program.h"

// Zandrel reads no command line; its exit code is always 0.
int main()
{
    Zandrel::ProgramOptions options;
    options.buildScenes = Zandrel::BuildGameScene;
    return Zandrel::RunProgram(options);
}
