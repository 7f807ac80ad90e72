#pragma once

#include "Common/UniqueHandle.h"

#include <SDL.h>

namespace Quarnel::GameEngine2D::Video
{

struct SdlSurfaceTraits
{
    using Value = SDL_Surface*;
    static constexpr SDL_Surface* Empty = nullptr;
    static void Free(SDL_Surface* surface) noexcept { SDL_FreeSurface(surface); }
};

// A software image (SDL surface) with exactly one owner.
using SdlSurface = Common::UniqueHandle<SdlSurfaceTraits>;

} // namespace Quarnel::GameEngine2D::Video
