#include "app/SystemFile/SystemReader.h"

#include "app/SystemFile/SystemCheck.h"
#include "app/SystemFile/SystemFileError.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <system_error>

namespace Zandrel::SystemFile
{
namespace
{

using Json = nlohmann::json;

// Deeper than any system needs, even with keys of later versions; far below what a 64 MiB file of brackets
// would build (several gigabytes of nested values).
constexpr int MaxDepth = 64;

constexpr std::uint32_t NoId = 0;

// 2^128 − 2^103: halfway between the largest float and the next step, which would be 2^128.
const double FloatLimit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

[[noreturn]] void Refuse(const std::string& reason)
{
    throw SystemFileError(reason);
}

std::string Quoted(std::string_view key)
{
    // Appended piece by piece: GCC 12's optimiser misreads `"\"" + std::string(...)` as an overlapping copy and
    // fails the release build with -Werror=restrict.
    std::string quoted;
    quoted.reserve(key.size() + 2);
    quoted.append(1, '"').append(key).append(1, '"');
    return quoted;
}

// The value of `key`, or none when the object lacks it.
const Json* Find(const Json& object, std::string_view key)
{
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

const Json& Require(const Json& object, std::string_view key, const std::string& place)
{
    const Json* value = Find(object, key);
    if (value == nullptr)
        Refuse(place + Quoted(key) + " fehlt");
    return *value;
}

float ToFloat(const Json& value, std::string_view key, const std::string& place)
{
    if (!value.is_number())
        Refuse(place + Quoted(key) + " ist keine Zahl");
    const double number = value.get<double>();
    if (!std::isfinite(number))
        Refuse(place + Quoted(key) + " ist keine endliche Zahl");
    // Numbers from the largest float up to half its step above it still round to it ("3.4028235e+38" is a
    // little above); from there on they would become infinite.
    if (std::fabs(number) >= FloatLimit)
        Refuse(place + Quoted(key) + " ist zu groß für eine 32-Bit-Gleitkommazahl");
    return static_cast<float>(number);
}

std::array<float, 3> ToVector(const Json& value, std::string_view key, const std::string& place)
{
    if (!value.is_array() || value.size() != 3)
        Refuse(place + Quoted(key) + " ist keine Liste aus drei Zahlen");
    return {ToFloat(value[0], key, place), ToFloat(value[1], key, place), ToFloat(value[2], key, place)};
}

bool ToBool(const Json& value, std::string_view key)
{
    if (!value.is_boolean())
        Refuse(Quoted(key) + " ist kein Wahrheitswert");
    return value.get<bool>();
}

double ToDouble(const Json& value, std::string_view key)
{
    if (!value.is_number())
        Refuse(Quoted(key) + " ist keine Zahl");
    return value.get<double>();
}

void ReadFormat(const Json& root)
{
    if (!root.is_object())
        Refuse("kein Zandrel-System");
    const Json& format = Require(root, "format", "");
    if (!format.is_string() || format.get_ref<const std::string&>() != SystemData::FormatName)
        Refuse("kein Zandrel-System (\"format\" ist nicht \"zandrel-system\")");
    const Json& version = Require(root, "version", "");
    if (!version.is_number_integer())
        Refuse("\"version\" ist keine ganze Zahl");
    if (version.is_number_unsigned() && version.get<std::uint64_t>() > SystemData::FormatVersion)
        Refuse("Version " + std::to_string(version.get<std::uint64_t>()) + " ist neuer als die lesbare Version " +
               std::to_string(SystemData::FormatVersion));
    if (version.get<std::int64_t>() < 1)
        Refuse("unbekannte Version " + std::to_string(version.get<std::int64_t>()));
}

GravityLaw ToLaw(const Json& value)
{
    if (value == "constant")
        return GravityLaw::Constant;
    if (value == "inverse-square")
        return GravityLaw::InverseSquare;
    Refuse("unbekanntes Gravitationsgesetz (erlaubt: \"constant\", \"inverse-square\")");
}

BodyKind ToKind(const Json& value, const std::string& place)
{
    if (value == "sun")
        return BodyKind::Sun;
    if (value == "planet")
        return BodyKind::Planet;
    Refuse(place + "unbekannte Art (erlaubt: \"sun\", \"planet\")");
}

// An identifier as written, or none when the body has no "id"; NoId is a valid identifier too, so presence is
// kept apart.
std::optional<std::uint32_t> ToId(const Json& body, const std::string& place)
{
    const Json* id = Find(body, "id");
    if (id == nullptr)
        return std::nullopt;
    if (!id->is_number_unsigned() || id->get<std::uint64_t>() > std::numeric_limits<std::uint32_t>::max())
        Refuse(place + "\"id\" ist keine ganze Zahl von 0 bis 4294967295");
    return static_cast<std::uint32_t>(id->get<std::uint64_t>());
}

BodyData ToBody(const Json& body, const std::string& place)
{
    if (!body.is_object())
        Refuse(place + "kein Objekt");
    BodyData data;
    data.kind = ToKind(Require(body, "kind", place), place);
    data.mass = ToFloat(Require(body, "mass", place), "mass", place);
    data.size = ToFloat(Require(body, "size", place), "size", place);
    data.position = ToVector(Require(body, "position", place), "position", place);
    if (const Json* velocity = Find(body, "velocity"))
        data.velocity = ToVector(*velocity, "velocity", place);
    if (const Json* name = Find(body, "name"))
    {
        if (!name->is_string())
            Refuse(place + "\"name\" ist kein Text");
        data.name = name->get<std::string>();
    }
    else
        data.name = data.kind == BodyKind::Sun ? "Sonne" : "Planet";
    return data;
}

// Bodies without an identifier count on from the largest one in the file, in file order, so that none
// collides with a given one.
void GiveMissingIds(std::vector<BodyData>& bodies, const std::vector<bool>& given)
{
    std::uint64_t largest = 0;
    for (std::size_t i = 0; i < bodies.size(); ++i)
    {
        if (given[i])
            largest = std::max<std::uint64_t>(largest, bodies[i].id);
    }
    std::uint64_t next = largest + 1;
    for (std::size_t i = 0; i < bodies.size(); ++i)
    {
        if (given[i])
            continue;
        if (next > std::numeric_limits<std::uint32_t>::max())
            Refuse("Körper " + std::to_string(i + 1) + ": keine freie Kennung");
        bodies[i].id = static_cast<std::uint32_t>(next++);
    }
}

std::vector<BodyData> ToBodies(const Json& bodies)
{
    if (!bodies.is_array())
        Refuse("\"bodies\" ist keine Liste");
    if (bodies.size() > SystemData::MaxBodies)
        Refuse("mehr als 100 000 Körper");
    std::vector<BodyData> result;
    std::vector<bool> given;
    result.reserve(bodies.size());
    given.reserve(bodies.size());
    for (std::size_t i = 0; i < bodies.size(); ++i)
    {
        const std::string place = "Körper " + std::to_string(i + 1) + ": ";
        result.push_back(ToBody(bodies[i], place));
        const std::optional<std::uint32_t> id = ToId(bodies[i], place);
        result.back().id = id.value_or(NoId);
        given.push_back(id.has_value());
    }
    GiveMissingIds(result, given);
    return result;
}

CameraView ToCamera(const Json& camera)
{
    if (!camera.is_object())
        Refuse("\"camera\" ist kein Objekt");
    const std::string place = "Kamera: ";
    CameraView view;
    view.position = ToVector(Require(camera, "position", place), "position", place);
    view.target = ToVector(Require(camera, "target", place), "target", place);
    view.rotation = ToVector(Require(camera, "rotation", place), "rotation", place);
    return view;
}

SystemData ToSystem(const Json& root)
{
    ReadFormat(root);
    SystemData system;
    system.bodies = ToBodies(Require(root, "bodies", ""));
    if (const Json* gravity = Find(root, "gravity"))
        system.gravity = ToLaw(*gravity);
    if (const Json* merge = Find(root, "merge"))
        system.merge = ToBool(*merge, "merge");
    if (const Json* time = Find(root, "time"))
        system.time = ToDouble(*time, "time");
    if (const Json* speed = Find(root, "speed"))
        system.speed = ToDouble(*speed, "speed");
    if (const Json* paused = Find(root, "paused"))
        system.paused = ToBool(*paused, "paused");
    if (const Json* camera = Find(root, "camera"))
        system.camera = ToCamera(*camera);
    SystemCheck::Check(system);
    return system;
}

// "Zeile 3, Spalte 7" for the byte where the parser gave up, counted from 1 as editors do.
std::string PlaceOfByte(std::string_view text, std::size_t byte)
{
    // The parser counts bytes from 1 and may point one past the end.
    const std::string_view before = text.substr(0, std::min(byte > 0 ? byte - 1 : 0, text.size()));
    const std::size_t lineStart = before.rfind('\n');
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t column = lineStart == std::string_view::npos ? before.size() + 1 : before.size() - lineStart;
    return "Zeile " + std::to_string(line) + ", Spalte " + std::to_string(column);
}

Json Parse(std::string_view text)
{
    struct TooDeep
    {
    };
    const Json::parser_callback_t limitDepth = [](int depth, Json::parse_event_t event, Json&) {
        if (depth > MaxDepth &&
            (event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start))
            throw TooDeep{};
        return true;
    };
    try
    {
        return Json::parse(text, limitDepth);
    }
    catch (const Json::parse_error& error)
    {
        Refuse("kein gültiges JSON (" + PlaceOfByte(text, error.byte) + ")");
    }
    catch (const Json::out_of_range&)
    {
        // The parser's only range error: a number beyond the double range, such as 1e999.
        Refuse("eine Zahl ist unendlich groß");
    }
    catch (const TooDeep&)
    {
        Refuse("kein Zandrel-System (zu tief verschachtelt)");
    }
}

} // namespace

SystemData SystemReader::ReadText(std::string_view text)
{
    return ToSystem(Parse(text));
}

SystemData SystemReader::ReadFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        Refuse("Datei nicht vorhanden");
    if (!std::filesystem::is_regular_file(status))
        Refuse("keine gewöhnliche Datei");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        Refuse("Datei kann nicht gelesen werden");
    if (size > SystemData::MaxFileBytes)
        Refuse("Datei größer als 64 MiB");
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        Refuse("Datei kann nicht gelesen werden");
    // One byte more than allowed, so that a file that grew since the size was checked is still refused.
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    stream.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (stream.bad())
        Refuse("Datei kann nicht gelesen werden");
    text.resize(static_cast<std::size_t>(stream.gcount()));
    if (text.size() > SystemData::MaxFileBytes)
        Refuse("Datei größer als 64 MiB");
    return ReadText(text);
}

} // namespace Zandrel::SystemFile
