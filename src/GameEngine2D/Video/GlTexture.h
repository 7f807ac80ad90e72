#pragma once

#include "Common/UniqueHandle.h"

#include <SDL.h>
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
    }
};

// One OpenGL texture name with exactly one owner.
using GlTexture = Common::UniqueHandle<GlTextureTraits>;

} // namespace Quarnel::GameEngine2D::Video
