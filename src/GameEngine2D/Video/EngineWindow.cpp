// The window side of the video engine: following the window's size, full screen, and pictures of frames.
#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/SdlSurface.h"

#include <SDL.h>
#include <cstring>
#include <epoxy/gl.h>
#include <utility>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

void Engine::SetFullscreen(bool on)
{
    // The desktop's own mode: no mode switch, the window simply covers the screen.
    if (SDL_SetWindowFullscreen(window.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        Common::Helper::Throw(std::string("Vollbild nicht möglich: ") + SDL_GetError());
}

bool Engine::IsFullscreen() const
{
    return (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN) != 0;
}

void Engine::CaptureFrame(FrameCallback done)
{
    captures.push_back(std::move(done));
}

void Engine::FollowWindowSize()
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window.get(), &width, &height);
    // A minimised window has no area; the views keep the last one.
    if (width <= 0 || height <= 0)
        return;
    const Common::Point2D size(static_cast<float>(width), static_cast<float>(height));
    if (size.x == windowSize.x && size.y == windowSize.y)
        return;
    windowSize = size;
    // The 3D view sets no viewport of its own, so the new one is needed before the first scene draws.
    glViewport(0, 0, width, height);
}

void Engine::DeliverCaptures()
{
    if (captures.empty())
        return;
    const auto width = static_cast<int>(windowSize.x);
    const auto height = static_cast<int>(windowSize.y);
    // 24 bits: a picture of the window is opaque, whatever alpha blending left in the frame buffer.
    const SdlSurface picture(SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24));
    const std::vector<FrameCallback> waiting = std::exchange(captures, {});
    if (!picture)
    {
        Common::MyLog::Warning(std::string("Bild des Fensters nicht möglich: ") + SDL_GetError());
        return;
    }
    auto* pixels = static_cast<unsigned char*>(picture.Get()->pixels);
    const int pitch = picture.Get()->pitch;
    // SDL's rows are padded to four bytes, which is OpenGL's default packing too.
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    // OpenGL gives the bottom row first; pictures start at the top.
    std::vector<unsigned char> row(static_cast<std::size_t>(pitch));
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    {
        unsigned char* upper = pixels + static_cast<std::ptrdiff_t>(top) * pitch;
        unsigned char* lower = pixels + static_cast<std::ptrdiff_t>(bottom) * pitch;
        std::memcpy(row.data(), upper, row.size());
        std::memcpy(upper, lower, row.size());
        std::memcpy(lower, row.data(), row.size());
    }
    for (const FrameCallback& done : waiting)
    {
        try
        {
            done(*picture.Get());
        }
        catch (...)
        {
            // A picture that could not be used must not end the main loop.
            Common::MyLog::Warning(Common::Helper::MessageOf(std::current_exception()));
        }
    }
}

} // namespace Quarnel::GameEngine2D::Video
