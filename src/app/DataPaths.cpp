#include "app/DataPaths.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace Zandrel
{

namespace
{

namespace fs = std::filesystem;

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool IsFolder(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool Exists(const fs::path& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

} // namespace

DataPaths::Environment DataPaths::Environment::OfThisProcess()
{
    Environment found;
    std::error_code failed;
    found.workingFolder = fs::current_path(failed);
    found.workingFolderWritable = !failed && access(found.workingFolder.c_str(), W_OK) == 0;
    const fs::path executable = fs::read_symlink("/proc/self/exe", failed);
    if (!failed)
        found.executableFolder = executable.parent_path();
    found.home = Variable("HOME");
    found.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    found.xdgDataHome = Variable("XDG_DATA_HOME");
    return found;
}

DataPaths::DataPaths(Environment searched) : environment(std::move(searched)) {}

std::string DataPaths::FindDataPrefix() const
{
    const fs::path local = environment.workingFolder / DataFolderName;
    if (IsFolder(local))
        return {};
    std::string searched = local.string();
    if (!environment.executableFolder.empty())
    {
        const fs::path share = (environment.executableFolder / ".." / "share" / "zandrel").lexically_normal();
        if (IsFolder(share / DataFolderName))
            return (share / "").string();
        searched += ", " + (share / DataFolderName).string();
    }
    throw std::runtime_error("Datenordner nicht gefunden, gesucht in: " + searched);
}

fs::path DataPaths::FindSettingsFile() const
{
    if (Exists(environment.workingFolder / SettingsFileName))
        return SettingsFileName;
    return XdgFolder(environment.xdgConfigHome, ".config") / "zandrel" / SettingsFileName;
}

fs::path DataPaths::UserFolder(std::string_view kind) const
{
    if (environment.workingFolderWritable)
        return fs::path(kind);
    return XdgFolder(environment.xdgDataHome, ".local/share") / "zandrel" / kind;
}

fs::path DataPaths::XdgFolder(const std::string& variable, const char* fallback) const
{
    // A relative value is invalid for these variables and ignored, as for an unset one.
    if (!variable.empty() && fs::path(variable).is_absolute())
        return variable;
    return fs::path(environment.home) / fallback;
}

} // namespace Zandrel
