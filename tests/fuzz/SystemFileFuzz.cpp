// The system file reader on arbitrary text. It may only refuse with a reason (a SystemFileError); whatever it
// accepts must be written and read back to the same values bit for bit, and written again to the same text.
#include "FuzzSupport.h"
#include "app/SystemFile/SystemFileError.h"
#include "app/SystemFile/SystemReader.h"
#include "app/SystemFile/SystemWriter.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

using Zandrel::SystemFile::BodyData;
using Zandrel::SystemFile::SystemData;
using Zandrel::SystemFile::SystemFileError;
using Zandrel::SystemFile::SystemReader;
using Zandrel::SystemFile::SystemWriter;

bool SameBits(const std::array<float, 3>& a, const std::array<float, 3>& b)
{
    for (std::size_t i = 0; i < 3; ++i)
    {
        if (std::bit_cast<std::uint32_t>(a[i]) != std::bit_cast<std::uint32_t>(b[i]))
            return false;
    }
    return true;
}

bool SameBody(const BodyData& a, const BodyData& b)
{
    return a.id == b.id && a.kind == b.kind && a.name == b.name &&
           std::bit_cast<std::uint32_t>(a.mass) == std::bit_cast<std::uint32_t>(b.mass) &&
           std::bit_cast<std::uint32_t>(a.size) == std::bit_cast<std::uint32_t>(b.size) &&
           SameBits(a.position, b.position) && SameBits(a.velocity, b.velocity);
}

bool SameSystem(const SystemData& a, const SystemData& b)
{
    if (a.gravity != b.gravity || a.merge != b.merge || a.paused != b.paused ||
        std::bit_cast<std::uint64_t>(a.time) != std::bit_cast<std::uint64_t>(b.time) ||
        std::bit_cast<std::uint64_t>(a.speed) != std::bit_cast<std::uint64_t>(b.speed) ||
        a.camera.has_value() != b.camera.has_value() || a.bodies.size() != b.bodies.size())
        return false;
    if (a.camera && !(SameBits(a.camera->position, b.camera->position) &&
                      SameBits(a.camera->target, b.camera->target) && SameBits(a.camera->rotation, b.camera->rotation)))
        return false;
    for (std::size_t i = 0; i < a.bodies.size(); ++i)
    {
        if (!SameBody(a.bodies[i], b.bodies[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = Quarnel::Fuzz::AsText(data, size);
    SystemData first;
    try
    {
        first = SystemReader::ReadText(text);
    }
    catch (const SystemFileError&)
    {
        return 0;
    }
    std::string written;
    SystemData second;
    try
    {
        written = SystemWriter::ToText(first);
        second = SystemReader::ReadText(written);
    }
    catch (const SystemFileError& error)
    {
        Quarnel::Fuzz::Check(false, std::string("a system that was read could not be kept: ") + error.what(), text);
    }
    Quarnel::Fuzz::Check(SameSystem(first, second), "writing and reading again changed the system", text);
    Quarnel::Fuzz::Check(SystemWriter::ToText(second) == written, "writing again changed the text", text);
    return 0;
}
