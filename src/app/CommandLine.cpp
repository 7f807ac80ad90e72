#include "app/CommandLine.h"

#include "app/Version.h"

#include <utility>

namespace Zandrel
{

CommandLine::CommandLine(const std::vector<std::string>& arguments)
{
    bool optionsEnded = false;
    for (const std::string& argument : arguments)
    {
        if (!optionsEnded && argument == "--")
        {
            optionsEnded = true;
        }
        else if (!optionsEnded && (argument == "--help" || argument == "-h"))
        {
            // Help and version win over anything else on the line, as users expect of them.
            action = Action::ShowHelp;
            return;
        }
        else if (!optionsEnded && argument == "--version")
        {
            action = Action::ShowVersion;
            return;
        }
        else if (!optionsEnded && argument.size() > 1 && argument.front() == '-')
        {
            Refuse("unbekannte Option: " + argument);
        }
        else if (startFile)
        {
            Refuse("nur eine Datei möglich, zusätzlich: " + argument);
        }
        else
        {
            startFile = argument;
        }
    }
}

void CommandLine::Refuse(std::string why)
{
    // The first problem is the one reported; a later --help still shows the help.
    if (action == Action::Misuse)
        return;
    action = Action::Misuse;
    problem = "zandrel: " + std::move(why);
}

std::string CommandLine::Usage()
{
    return "Aufruf: zandrel [DATEI]\n"
           "Zandrel – Sonnensystem-Sandkasten: Sonnen und Planeten, die sich unter ihrer\n"
           "gegenseitigen Schwerkraft bewegen.\n"
           "\n"
           "  DATEI        eine Systemdatei, mit der das Programm beginnt\n"
           "  -h, --help   zeigt diese Hilfe und endet\n"
           "  --version    zeigt Version und Git-Stand und endet\n"
           "\n"
           "Tasten: F3 Statistik, F11 Vollbild an/aus, F12 Bildschirmfoto.\n"
           "Daten: ./daten/, sonst <Programmordner>/../share/zandrel/daten/.\n"
           "Einstellungen: ./settings.txt, sonst $XDG_CONFIG_HOME/zandrel/settings.txt.\n"
           "Bildschirmfotos: ./screenshots/, ohne Schreibrecht $XDG_DATA_HOME/zandrel/screenshots/.\n";
}

std::string CommandLine::VersionText()
{
    return std::string("Zandrel ") + Version::Number + " (Git-Stand " + Version::Revision + ")\n";
}

} // namespace Zandrel
