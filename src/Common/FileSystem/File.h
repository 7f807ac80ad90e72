#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::Common::FileSystem
{

// Whole-file text reading and writing. Lines end with LF; a CR right before the LF is dropped.
class File final
{
public:
    File() = delete;

    // All lines of the file in order. The text after the last LF is one more line, so an empty file gives
    // one empty line and n LF-terminated lines give n + 1. Logs "Reading File " + fileName and, on
    // success, "Reading File success: " + fileName + " Lines: " + count. A missing file raises
    // std::runtime_error("Datei " + fileName + " ist nicht vorhanden"); a file that cannot be read raises
    // std::runtime_error as well.
    [[nodiscard]] static std::vector<std::string> ReadLines(const std::string& fileName);

    // The whole file as bytes, with the log lines and errors of ReadLines: for readers of large files that walk
    // the lines with ForEachLine instead of holding a copy of every line.
    [[nodiscard]] static std::string ReadText(const std::string& fileName);

    // Calls visit(line) for every line of a text, split as ReadLines splits a file, without copying.
    template <typename Visit>
    static void ForEachLine(std::string_view text, Visit&& visit)
    {
        std::size_t start = 0;
        while (true)
        {
            const std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
            {
                visit(text.substr(start));
                return;
            }
            std::size_t lineEnd = end;
            if (lineEnd > start && text[lineEnd - 1] == '\r')
                --lineEnd;
            visit(text.substr(start, lineEnd - start));
            start = end + 1;
        }
    }

    // Writes each line followed by CR LF, creating or replacing the file. Failures raise std::runtime_error.
    static void WriteLines(const std::string& fileName, const std::vector<std::string>& lines);

    // True when a regular file (or a link to one) of this name exists.
    [[nodiscard]] static bool Exists(const std::string& fileName);
};

} // namespace Quarnel::Common::FileSystem
