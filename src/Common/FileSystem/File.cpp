#include "Common/FileSystem/File.h"

#include "Common/MyLog.h"

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

std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
        {
            lines.emplace_back(bytes.substr(start));
            return lines;
        }
        std::size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(bytes.substr(start, lineEnd - start));
        start = end + 1;
    }
}

} // namespace

std::vector<std::string> File::ReadLines(const std::string& fileName)
{
    MyLog::Info("Reading File " + fileName);
    if (!Exists(fileName))
        throw std::runtime_error(fmt::format("Datei {0} ist nicht vorhanden", fileName));
    std::vector<std::string> lines = SplitLines(ReadAllBytes(fileName));
    MyLog::Info(fmt::format("Reading File success: {} Lines: {}", fileName, lines.size()));
    return lines;
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
