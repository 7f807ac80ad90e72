#pragma once

#include "app/SystemFile/SystemData.h"

#include <filesystem>
#include <string>

namespace Zandrel::SystemFile
{

// Writes system files that SystemReader reads back to the same values: every 32-bit float as a number that
// reads back as the same float, bit for bit (-0.0 and subnormals included), nearly always its shortest text;
// the time as a number that reads back as the same double. Keys are written in a fixed order, indented by two
// spaces; a system that would so exceed SystemData::MaxFileBytes is written without indentation.
class SystemWriter final
{
public:
    SystemWriter() = delete;

    // The file's text, ending in a line end. Raises SystemFileError when the system breaks a rule of
    // SystemCheck, or is too large for a file even without indentation.
    [[nodiscard]] static std::string ToText(const SystemData& system);

    // Writes the text to a temporary file beside `path`, flushes it to the disk and renames it to `path`,
    // so that a failure never leaves half a file or destroys an older one. Raises SystemFileError with the
    // reason (the system's, or "Datei kann nicht geschrieben werden: " + the system's error text).
    static void WriteFile(const SystemData& system, const std::filesystem::path& path);
};

} // namespace Zandrel::SystemFile
