#include "Common/FileSystem/File.h"

#include "Common/MyLog.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace Quarnel::Common::FileSystem
{

namespace
{

std::string ReadAllBytes(const std::string& fileName)
{
    std::ifstream stream(fileName, std::ios::binary);
    if (!stream)
        throw std::runtime_error(fmt::format("Datei {0} kann nicht gelesen werden", fileName));
    std::string bytes;
    std::error_code sizeError;
    if (const std::uintmax_t size = std::filesystem::file_size(fileName, sizeError); !sizeError)
        bytes.reserve(static_cast<std::size_t>(size));
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(stream.gcount()));
    // Reading stops at the end or on an error; only the end means the whole file was read.
    if (stream.bad() || !stream.eof())
        throw std::runtime_error(fmt::format("Datei {0} kann nicht gelesen werden", fileName));
    return bytes;
}

} // namespace

std::vector<std::string> File::ReadLines(const std::string& fileName)
{
    MyLog::Info("Reading File " + fileName);
    if (!Exists(fileName))
        throw std::runtime_error(fmt::format("Datei {0} ist nicht vorhanden", fileName));
    std::vector<std::string> lines;
    ForEachLine(ReadAllBytes(fileName), [&lines](std::string_view line) { lines.emplace_back(line); });
    MyLog::Info(fmt::format("Reading File success: {} Lines: {}", fileName, lines.size()));
    return lines;
}

std::string File::ReadText(const std::string& fileName)
{
    MyLog::Info("Reading File " + fileName);
    if (!Exists(fileName))
        throw std::runtime_error(fmt::format("Datei {0} ist nicht vorhanden", fileName));
    std::string text = ReadAllBytes(fileName);
    // As many lines as ReadLines would give: one more than there are line ends.
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    MyLog::Info(fmt::format("Reading File success: {} Lines: {}", fileName, lines));
    return text;
}

void File::WriteLines(const std::string& fileName, const std::vector<std::string>& lines)
{
    std::ofstream stream(fileName, std::ios::binary | std::ios::trunc);
    if (!stream)
        throw std::runtime_error(fmt::format("Datei {0} kann nicht geschrieben werden", fileName));
    for (const std::string& line : lines)
    {
        stream.write(line.data(), static_cast<std::streamsize>(line.size()));
        stream.write("\r\n", 2);
    }
    stream.close();
    if (!stream)
        throw std::runtime_error(fmt::format("Datei {0} kann nicht geschrieben werden", fileName));
}

bool File::Exists(const std::string& fileName)
{
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

} // namespace Quarnel::Common::FileSystem
