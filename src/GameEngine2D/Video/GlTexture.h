#pragma once

#include "Common/UniqueHandle.h"

#include <SDL.h>
#include <atomic>
#include <cstdint>
#include <epoxy/gl.h>

namespace Quarnel::GameEngine2D::Video
{

struct GlTextureTraits
{
    using Value = GLuint;
    static constexpr GLuint Empty = 0;

    // The video engine deletes its textures before it destroys the context. A name still alive when no context is
    // current went with its context already; calling GL then would crash, so it is skipped.
    static void Free(GLuint name) noexcept
    {
        if (SDL_GL_GetCurrentContext() != nullptr)
            glDeleteTextures(1, &name);
        deletions.fetch_add(1, std::memory_order_relaxed);
    }

    // Texture names deleted since start-up. A deleted name may be handed out again for other pixels, so whoever
    // remembers what a name showed must forget it when this count moves.
    [[nodiscard]] static std::uint64_t DeletionCount() noexcept { return deletions.load(std::memory_order_relaxed); }

private:
    static inline std::atomic<std::uint64_t> deletions{0};
};

// One OpenGL texture name with exactly one owner.
using GlTexture = Common::UniqueHandle<GlTextureTraits>;

} // namespace Quarnel::GameEngine2D::Video
