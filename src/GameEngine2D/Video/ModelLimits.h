#pragma once

#include <cstddef>
#include <cstdint>

namespace Quarnel::GameEngine2D::Video
{

// How large a model or material file may be before it is refused unread: a file a user hands the program must
// not take gigabytes of memory or minutes of loading. The shipped models are a few hundred kilobytes.
struct ModelLimits
{
    // Bytes of one model or material file, checked before the file is read.
    std::uintmax_t maxFileBytes = std::uintmax_t{64} * 1024 * 1024;
    // Entries of each kind in one file (positions, texture coordinates, normals, triangles, groups, materials),
    // counted before any of them is stored.
    std::size_t maxElements = 2'000'000;
};

} // namespace Quarnel::GameEngine2D::Video
