#include "app/SystemFile/SavePath.h"

#include "app/SystemFile/SystemFileError.h"

#include <array>
#include <string>
#include <system_error>

namespace Zandrel::SystemFile
{
namespace
{

constexpr int MaxSuffix = 999;

std::string Stamp(std::time_t now)
{
    std::tm local{};
    ::localtime_r(&now, &local);
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y%m%d-%H%M%S", &local);
    return {text.data(), length};
}

} // namespace

std::filesystem::path SavePath::Next(const std::filesystem::path& folder, std::time_t now)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder))
        throw SystemFileError("Ordner " + folder.string() + " kann nicht angelegt werden");
    const std::string base = "zandrel-" + Stamp(now);
    for (int suffix = 1; suffix <= MaxSuffix; ++suffix)
    {
        const std::string name = suffix == 1 ? base : base + "-" + std::to_string(suffix);
        std::filesystem::path path = folder / (name + ".json");
        if (!std::filesystem::exists(path, error))
            return path;
    }
    throw SystemFileError("kein freier Dateiname in " + folder.string());
}

} // namespace Zandrel::SystemFile
