#include "app/SystemFile/SystemWriter.h"

#include "app/SystemFile/SystemCheck.h"
#include "app/SystemFile/SystemFileError.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace Zandrel::SystemFile
{
namespace
{

// Keeps the keys in the order written, so that a file reads as the documentation shows it.
using Json = nlohmann::ordered_json;

// The JSON number for a float: the library writes doubles, so the float's shortest text is read as the
// nearest double, which the library writes as that same short text ("0.1", not "0.10000000149011612") but for
// a rare double where its shortcut gives up and writes up to 17 digits of the same value. Should that double
// not round back to the float, the float's exact value is written instead: longer, never wrong.
double FloatNumber(float value)
{
    std::array<char, 32> text{};
    // Scientific, as the plain form writes large whole floats with all their digits (1990904960, not 1.990905e+09).
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
    double number = 0.0;
    const auto read = std::from_chars(text.data(), written.ptr, number);
    const bool exact = written.ec == std::errc() && read.ec == std::errc() && static_cast<float>(number) == value &&
                       std::signbit(static_cast<float>(number)) == std::signbit(value);
    return exact ? number : static_cast<double>(value);
}

Json Vector(const std::array<float, 3>& values)
{
    return Json::array({FloatNumber(values[0]), FloatNumber(values[1]), FloatNumber(values[2])});
}

Json Body(const BodyData& body)
{
    Json json = Json::object();
    json["id"] = body.id;
    json["kind"] = body.kind == BodyKind::Sun ? "sun" : "planet";
    json["name"] = body.name;
    json["mass"] = FloatNumber(body.mass);
    json["size"] = FloatNumber(body.size);
    json["position"] = Vector(body.position);
    json["velocity"] = Vector(body.velocity);
    return json;
}

Json System(const SystemData& system)
{
    Json json = Json::object();
    json["format"] = SystemData::FormatName;
    json["version"] = SystemData::FormatVersion;
    json["gravity"] = system.gravity == GravityLaw::Constant ? "constant" : "inverse-square";
    json["merge"] = system.merge;
    json["time"] = system.time;
    json["speed"] = system.speed;
    json["paused"] = system.paused;
    if (system.camera)
        json["camera"] = {{"position", Vector(system.camera->position)},
                          {"target", Vector(system.camera->target)},
                          {"rotation", Vector(system.camera->rotation)}};
    Json bodies = Json::array();
    bodies.get_ref<Json::array_t&>().reserve(system.bodies.size());
    for (const BodyData& body : system.bodies)
        bodies.push_back(Body(body));
    json["bodies"] = std::move(bodies);
    return json;
}

std::string Dump(const Json& json, int indent)
{
    // A name that is not valid UTF-8 (typed in a field) gets replacement characters instead of failing the save.
    return json.dump(indent, ' ', false, Json::error_handler_t::replace) + "\n";
}

[[noreturn]] void RefuseWrite(int error)
{
    throw SystemFileError("Datei kann nicht geschrieben werden: " + std::generic_category().message(error));
}

// Writes all bytes to the open file and flushes them to the disk; the error number of the first failure, or 0.
int WriteAll(int file, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(file) == 0 ? 0 : errno;
}

} // namespace

std::string SystemWriter::ToText(const SystemData& system)
{
    SystemCheck::Check(system);
    const Json json = System(system);
    std::string text = Dump(json, 2);
    if (text.size() > SystemData::MaxFileBytes)
        text = Dump(json, -1);
    if (text.size() > SystemData::MaxFileBytes)
        throw SystemFileError("System größer als 64 MiB");
    return text;
}

void SystemWriter::WriteFile(const SystemData& system, const std::filesystem::path& path)
{
    const std::string text = ToText(system);
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(::getpid());
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0)
        RefuseWrite(errno);
    int error = WriteAll(file, text);
    if (::close(file) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
    {
        ::unlink(temporary.c_str());
        RefuseWrite(error);
    }
}

} // namespace Zandrel::SystemFile
