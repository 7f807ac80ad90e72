#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Zandrel::SystemFile
{

// What a body is drawn and treated as: a sun is lit like a sun and stays a sun when it absorbs a planet.
enum class BodyKind
{
    Sun,
    Planet,
};

// One body of a kept system, as plain values: no engine type, so that reading and writing files needs no
// window, scene or physics.
struct BodyData
{
    // The body's identifier, unique within a system; the list shows it ("Objekt " + id).
    std::uint32_t id = 0;
    BodyKind kind = BodyKind::Planet;
    // "Sonne" or "Planet" unless the user gave another name.
    std::string name;
    // Mass in the force laws' mass units; never below 0.
    float mass = 0.0f;
    // The panel's size value: 100 draws a sphere 4 scene units across; never below 0.
    float size = 0.0f;
    // Scene units.
    std::array<float, 3> position{};
    // Scene units per simulated second.
    std::array<float, 3> velocity{};
};

} // namespace Zandrel::SystemFile
