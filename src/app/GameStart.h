#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace Zandrel
{

// What the program hands the game when it builds it: where the data lie, where the user's files go, and the
// system file named on the command line. The defaults are those of a program started from its source tree.
struct GameStart
{
    // Put in front of the data file names ("daten//models//sphere.obj"); empty when "daten/" lies in the working
    // directory, else the installed share folder with a trailing separator.
    std::string dataPrefix;
    // Where F12 writes its pictures; created when the first one is saved.
    std::filesystem::path screenshotFolder = "screenshots";
    // Where saved systems go.
    std::filesystem::path saveFolder = "saves";
    // The shipped systems the picker offers.
    std::filesystem::path presetFolder = "presets";
    // The system file to start with, from the command line; nothing reads it yet.
    std::optional<std::filesystem::path> startFile;

    [[nodiscard]] std::string DataFile(const char* name) const { return dataPrefix + name; }
};

} // namespace Zandrel
