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

// A new width × height RGBA texture, left bound, that samples its nearest texel and clamps at its edges: for pictures
// drawn pixel for pixel. Filled from `pixels` (RGBA bytes), or undefined when that is null.
inline GlTexture CreateNearestTexture(int width, int height, const void* pixels)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    GlTexture texture(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return texture;
}

} // namespace Quarnel::GameEngine2D::Video
