#include "app/CommandLine.h"
#include "app/Program.h"

#include <iostream>
#include <string>
#include <vector>

// `zandrel [FILE]`, `--help`, `--version`. A command line the program cannot follow ends with exit code 2; every run
// of the program itself ends with 0.
int main(int argc, char** argv)
{
    const Zandrel::CommandLine line(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.GetAction())
    {
    case Zandrel::CommandLine::Action::ShowHelp:
        std::cout << Zandrel::CommandLine::Usage();
        return 0;
    case Zandrel::CommandLine::Action::ShowVersion:
        std::cout << Zandrel::CommandLine::VersionText();
        return 0;
    case Zandrel::CommandLine::Action::Misuse:
        std::cerr << line.GetProblem() << "\n\n" << Zandrel::CommandLine::Usage();
        return Zandrel::CommandLine::MisuseExitCode;
    case Zandrel::CommandLine::Action::Run:
        break;
    }
    Zandrel::ProgramOptions options;
    options.buildScenes = Zandrel::BuildGameScene;
    options.startFile = line.GetStartFile();
    return Zandrel::RunProgram(options);
}
