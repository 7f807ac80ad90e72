#include "Common/GameUtil/ConfigFile.h"

#include "Common/FileSystem/File.h"
#include "Common/Helper.h"
#include "Common/MyLog.h"

#include <filesystem>
#include <fmt/format.h>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace Quarnel::Common::GameUtil
{

namespace
{

// The lines of the settings file. A missing file raises quietly, as a first start has none. A name that exists
// but cannot serve as settings (a folder, a pipe, a device, a file too large or unreadable) raises after one
// warning line naming it, so the user learns why the settings are not used. Only the file's status is looked
// at before it is opened, so a pipe is never opened and cannot block the start.
std::vector<std::string> ReadSettingsLines(const std::string& fileName)
{
    const std::string unreadable = fmt::format("Konfigurationsdatei {0} kann nicht gelesen werden", fileName);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileSystem::File::ReadLines(fileName);
    if (error)
        Helper::Throw(unreadable);
    if (!std::filesystem::is_regular_file(status))
        Helper::Throw(
            fmt::format("Konfigurationsdatei {0} ist keine gewöhnliche Datei und wird nicht gelesen", fileName));
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error)
        Helper::Throw(unreadable);
    if (size > ConfigFile::MaximumFileSize)
        Helper::Throw(
            fmt::format("Konfigurationsdatei {0} ist zu groß ({1} Bytes, höchstens {2}) und wird nicht gelesen",
                        fileName, size, ConfigFile::MaximumFileSize));
    try
    {
        return FileSystem::File::ReadLines(fileName);
    }
    catch (const std::runtime_error&)
    {
        Helper::Throw(unreadable);
    }
}

} // namespace

ConfigFile::ConfigFile(const std::string& fileName)
{
    try
    {
        Read(fileName);
    }
    catch (...)
    {
        // The reader keeps what it read before the failing line; the start-up chain then falls back to
        // its defaults. The error's own message is deliberately not written.
        MyLog::Info("Error in ConfigFile constructor");
    }
}

void ConfigFile::Read(const std::string& fileName)
{
    const std::vector<std::string> lines = ReadSettingsLines(fileName);
    MyLog::Info("READING GROUPFILE " + fileName);
    for (const std::string& line : lines)
        MyLog::Info(line);

    ConfigGroup* current = nullptr;
    for (const std::string& line : lines)
    {
        if (line.size() <= 2)
            continue;
        if (line.front() == '[')
        {
            // The last character is dropped whatever it is; the written form puts "]" there.
            current = &groups.emplace_back(line.substr(1, line.size() - 2));
            MyLog::Info("New Group: " + current->Name());
            continue;
        }
        if (current == nullptr)
            throw std::runtime_error("Konfigurationsdatei " + fileName + " enthält gruppenlose Daten");
        MyLog::Info("New Data: " + line);
        current->Add(ConfigData(line));
    }
}

ConfigGroup* ConfigFile::FindGroup(const std::string& name)
{
    for (ConfigGroup& group : groups)
    {
        if (group.Name() == name)
            return &group;
    }
    return nullptr;
}

ConfigGroup& ConfigFile::GetGroup(const std::string& name)
{
    if (ConfigGroup* found = FindGroup(name))
        return *found;
    return groups.emplace_back(name);
}

void ConfigFile::Save(const std::string& fileName) const
{
    std::vector<std::string> lines;
    for (const ConfigGroup& group : groups)
    {
        lines.push_back("[" + group.Name() + "]");
        for (const ConfigData& entry : group.Entries())
            lines.push_back(entry.ToLine());
        lines.emplace_back();
    }
    FileSystem::File::WriteLines(fileName, lines);
}

ConfigGroup& ConfigFile::AddGroup(const std::string& name)
{
    return groups.emplace_back(name);
}

} // namespace Quarnel::Common::GameUtil
