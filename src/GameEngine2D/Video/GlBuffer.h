#pragma once

#include "Common/UniqueHandle.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace Quarnel::GameEngine2D::Video
{

struct GlBufferTraits
{
    using Value = GLuint;
    static constexpr GLuint Empty = 0;

    // Like textures, buffers are deleted explicitly while the context lives; without a context they are already gone.
    static void Free(GLuint name) noexcept
    {
        if (SDL_GL_GetCurrentContext() != nullptr)
            glDeleteBuffersARB(1, &name);
    }
};

// One OpenGL vertex-buffer name (ARB vertex buffer objects) with exactly one owner.
using GlBuffer = Common::UniqueHandle<GlBufferTraits>;

} // namespace Quarnel::GameEngine2D::Video
