#include "app/SystemFile/SystemCheck.h"

#include "app/SystemFile/SystemFileError.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

namespace Zandrel::SystemFile
{
namespace
{

std::string BodyPlace(std::size_t index)
{
    return "Körper " + std::to_string(index + 1) + ": ";
}

void CheckFinite(const std::array<float, 3>& values, std::string_view key, const std::string& place)
{
    for (const float value : values)
    {
        if (!std::isfinite(value))
            throw SystemFileError(place + "\"" + std::string(key) + "\" ist keine endliche Zahl");
    }
}

void CheckBody(const BodyData& body, const std::string& place)
{
    if (!std::isfinite(body.mass))
        throw SystemFileError(place + "\"mass\" ist keine endliche Zahl");
    if (!std::isfinite(body.size))
        throw SystemFileError(place + "\"size\" ist keine endliche Zahl");
    if (body.mass < 0.0f)
        throw SystemFileError(place + "Masse kleiner als 0");
    if (body.size < 0.0f)
        throw SystemFileError(place + "Größe kleiner als 0");
    CheckFinite(body.position, "position", place);
    CheckFinite(body.velocity, "velocity", place);
}

void CheckCamera(const CameraView& camera)
{
    CheckFinite(camera.position, "position", "Kamera: ");
    CheckFinite(camera.target, "target", "Kamera: ");
    CheckFinite(camera.rotation, "rotation", "Kamera: ");
}

} // namespace

bool SystemCheck::IsAllowedSpeed(double speed)
{
    if (!(speed >= SystemData::MinSpeed && speed <= SystemData::MaxSpeed))
        return false;
    int exponent = 0;
    // A power of two is exactly one half times a power of two.
    return std::frexp(speed, &exponent) == 0.5;
}

void SystemCheck::Check(const SystemData& system)
{
    if (system.bodies.size() > SystemData::MaxBodies)
        throw SystemFileError("mehr als 100 000 Körper");
    if (!std::isfinite(system.time))
        throw SystemFileError("\"time\" ist keine endliche Zahl");
    if (!IsAllowedSpeed(system.speed))
        throw SystemFileError("\"speed\" ist keine Zweierpotenz von 1/8 bis 1024");
    if (system.camera)
        CheckCamera(*system.camera);
    std::unordered_set<std::uint32_t> ids;
    ids.reserve(system.bodies.size());
    for (std::size_t i = 0; i < system.bodies.size(); ++i)
    {
        const BodyData& body = system.bodies[i];
        CheckBody(body, BodyPlace(i));
        if (!ids.insert(body.id).second)
            throw SystemFileError(BodyPlace(i) + "Kennung " + std::to_string(body.id) + " kommt doppelt vor");
    }
}

} // namespace Zandrel::SystemFile
