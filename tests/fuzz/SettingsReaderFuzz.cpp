// The settings reader on arbitrary file contents. Whatever it keeps must survive a save and a second reading
// unchanged (groups, keys and values byte for byte), and every value must read as a number without harm.
#include "Common/GameUtil/ConfigFile.h"
#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

namespace
{

using Quarnel::Common::GameUtil::ConfigData;
using Quarnel::Common::GameUtil::ConfigFile;
using Quarnel::Common::GameUtil::ConfigGroup;

// A file per process, so that replays running side by side do not share files, removed when the process ends.
// In memory where the system offers it: rewriting a file on ext4 flushes it to the disk on every run, which
// made the fuzzer ten times slower.
class ScratchFile
{
public:
    explicit ScratchFile(const char* suffix)
    {
        std::error_code error;
        const std::filesystem::path folder =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        path = (folder / ("zandrel_fuzz_settings_" + std::to_string(::getpid()) + suffix)).string();
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile()
    {
        std::error_code error;
        std::filesystem::remove(path, error);
    }

    std::string path;
};

bool SameEntries(const ConfigGroup& first, const ConfigGroup& second)
{
    if (first.Name() != second.Name() || first.Entries().size() != second.Entries().size())
        return false;
    for (std::size_t i = 0; i < first.Entries().size(); ++i)
    {
        const ConfigData& a = first.Entries()[i];
        const ConfigData& b = second.Entries()[i];
        if (a.Key() != b.Key() || a.Value() != b.Value())
            return false;
    }
    return true;
}

bool SameGroups(const ConfigFile& first, const ConfigFile& second)
{
    if (first.Groups().size() != second.Groups().size())
        return false;
    for (std::size_t i = 0; i < first.Groups().size(); ++i)
    {
        if (!SameEntries(first.Groups()[i], second.Groups()[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Quarnel::Fuzz::SilenceLog();
    static const ScratchFile input(".txt");
    static const ScratchFile saved("_saved.txt");
    const std::string_view bytes = Quarnel::Fuzz::AsText(data, size);
    {
        std::ofstream stream(input.path, std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    ConfigFile config(input.path);
    // What the start-up reads; a missing group or key is added with its default, which the save then keeps.
    (void)config.GetGroup("Game").GetData("showLog", "0").AsBool();
    for (ConfigGroup& group : config.Groups())
    {
        for (const ConfigData& entry : group.Entries())
            (void)entry.AsBool();
    }
    config.Save(saved.path);
    const ConfigFile reread(saved.path);
    Quarnel::Fuzz::Check(SameGroups(config, reread), "saving and reading again changed the settings", bytes);
    return 0;
}
