#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Zandrel
{

// Where Zandrel looks for what it reads and where it keeps what the user makes, in one place:
// - the data (fonts, models, textures under "daten/"): the working directory's first, so a program started from
//   its source tree runs as it always did; otherwise the installed copy in <executable folder>/../share/zandrel/;
// - "settings.txt": the working directory's first, then $XDG_CONFIG_HOME/zandrel/settings.txt;
// - saves and screenshots: under the working directory when it is writable, else under $XDG_DATA_HOME/zandrel/.
// The XDG folders fall back to ~/.config and ~/.local/share when their variables are unset or empty.
class DataPaths final
{
public:
    // What the search depends on; OfThisProcess reads it from the running program.
    struct Environment
    {
        std::filesystem::path workingFolder;
        bool workingFolderWritable = true;
        // Empty when the executable's place cannot be found.
        std::filesystem::path executableFolder;
        // Empty counts as unset.
        std::string home;
        std::string xdgConfigHome;
        std::string xdgDataHome;

        [[nodiscard]] static Environment OfThisProcess();
    };

    static constexpr const char* DataFolderName = "daten";
    static constexpr const char* SettingsFileName = "settings.txt";

    explicit DataPaths(Environment searched);

    // The prefix that turns the program's data file names ("daten//models//sphere.obj") into paths: empty when the
    // working directory has "daten/", so names and log lines stay relative; else the installed share folder with a
    // trailing separator. Neither has it: std::runtime_error naming every folder searched.
    [[nodiscard]] std::string FindDataPrefix() const;
    // "settings.txt" when the working directory has one, else the user's configuration file (which need not exist).
    [[nodiscard]] std::filesystem::path FindSettingsFile() const;
    // The folder for `kind` ("saves", "screenshots"): relative to the working directory when that is writable, else
    // in the user's data folder. Not created here; whoever writes into it does that.
    [[nodiscard]] std::filesystem::path UserFolder(std::string_view kind) const;

private:
    [[nodiscard]] std::filesystem::path XdgFolder(const std::string& variable, const char* fallback) const;

    Environment environment;
};

} // namespace Zandrel
