#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace Quarnel::Common::Tests
{

// A fresh folder under the system's temporary directory, removed with everything in it at the end.
class TempFolder
{
public:
    TempFolder()
    {
        std::random_device device;
        path = std::filesystem::temp_directory_path() / ("zandrel_common_" + std::to_string(device()));
        std::filesystem::create_directories(path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }

    [[nodiscard]] std::string File(std::string_view name) const { return (path / name).string(); }

    // Writes the bytes exactly as given and returns the file's path.
    std::string Write(std::string_view name, std::string_view bytes) const
    {
        const std::string file = File(name);
        std::ofstream stream(file, std::ios::binary);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    [[nodiscard]] static std::string Read(const std::string& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path;
};

} // namespace Quarnel::Common::Tests
