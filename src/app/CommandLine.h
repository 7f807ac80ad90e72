#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Zandrel
{

// The program's command line: `zandrel [FILE]`, `--help`, `--version`. Reads the arguments once and says what the
// program is to do; printing and ending are the entry's.
class CommandLine final
{
public:
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        // An unknown option or more than one file: the usage goes to standard error, exit code 2.
        Misuse
    };

    // Exit code of a command line the program cannot follow.
    static constexpr int MisuseExitCode = 2;

    // `arguments` without the program's own name.
    explicit CommandLine(const std::vector<std::string>& arguments);

    [[nodiscard]] Action GetAction() const { return action; }
    // The system file to start with, when one was named.
    [[nodiscard]] const std::optional<std::filesystem::path>& GetStartFile() const { return startFile; }
    // Why the command line was refused, one line; empty unless Misuse.
    [[nodiscard]] const std::string& GetProblem() const { return problem; }

    // The usage text, in German like the rest of the program.
    [[nodiscard]] static std::string Usage();
    // "Zandrel " + version + " (Git-Stand " + revision + ")".
    [[nodiscard]] static std::string VersionText();

private:
    void Refuse(std::string why);

    Action action = Action::Run;
    std::optional<std::filesystem::path> startFile;
    std::string problem;
};

} // namespace Zandrel
