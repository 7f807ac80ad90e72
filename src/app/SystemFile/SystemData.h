#pragma once

#include "app/SystemFile/BodyData.h"
#include "app/SystemFile/CameraView.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace Zandrel::SystemFile
{

// The two force laws of the game: the distance-independent pull (the start state) and the inverse-square law.
enum class GravityLaw
{
    Constant,
    InverseSquare,
};

// A whole system as the files keep it: everything loading needs to replace the running system, and nothing
// that belongs to the engine. The defaults are the program's start state.
struct SystemData
{
    // The text of "format" that marks a system file, and the newest version this program reads and writes.
    static constexpr std::string_view FormatName = "zandrel-system";
    static constexpr std::int64_t FormatVersion = 1;
    // Files above this size are refused before they are read; systems above this count are refused.
    static constexpr std::uintmax_t MaxFileBytes = 64u * 1024u * 1024u;
    static constexpr std::size_t MaxBodies = 100000;
    // The time speed is a power of two between these two, both included.
    static constexpr double MinSpeed = 0.125;
    static constexpr double MaxSpeed = 1024.0;

    GravityLaw gravity = GravityLaw::Constant;
    // Whether bodies whose spheres touch merge into one.
    bool merge = false;
    // Simulated seconds since the system began.
    double time = 0.0;
    // Simulated seconds per real second.
    double speed = 1.0;
    bool paused = false;
    std::vector<BodyData> bodies;
    std::optional<CameraView> camera;
};

} // namespace Zandrel::SystemFile
