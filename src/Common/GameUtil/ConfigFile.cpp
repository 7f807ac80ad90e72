#include "Common/GameUtil/ConfigFile.h"

#include "Common/FileSystem/File.h"
#include "Common/MyLog.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace Quarnel::Common::GameUtil
{

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
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(fileName, sizeError);
    if (!sizeError && size > MaximumFileSize)
        throw std::runtime_error("Konfigurationsdatei " + fileName + " ist zu groß");

    const std::vector<std::string> lines = FileSystem::File::ReadLines(fileName);
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
