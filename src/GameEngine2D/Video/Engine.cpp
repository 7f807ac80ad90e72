#include "GameEngine2D/Video/Engine.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"

#include <SDL.h>
#include <cstdlib>
#include <epoxy/gl.h>
#include <stdexcept>
#include <strings.h>
// GLU only after epoxy, which must declare the GL functions before any other GL header does.
#include <GL/glu.h>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

void SetAttribute(SDL_GLattr attribute, int value)
{
    // A refused attribute shows up when the window or its context is created; nothing to check here.
    (void)SDL_GL_SetAttribute(attribute, value);
}

} // namespace

void Engine::WindowCloser::operator()(SDL_Window* closing) const noexcept
{
    SDL_DestroyWindow(closing);
}

void Engine::ContextDeleter::operator()(void* deleting) const noexcept
{
    SDL_GL_DeleteContext(deleting);
}

Engine::Engine(const VideoSettings& videoSettings, const std::string& title) :
    settings(videoSettings),
    maskData(0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u),
    backgroundColor(0, 0, 0, 0),
    windowSize(videoSettings.GetSize())
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        Common::Helper::Throw(std::string("Can't initialize SDL:\n") + SDL_GetError());
    RefuseFallbackDriver();
    SetColorAttributes();
    SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Everything is drawn with OpenGL 1.x fixed-function calls, which only a compatibility context offers.
    SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    OpenWindow(title);
    SetFixedState();
}

Engine::~Engine()
{
    CloseWindow();
}

// Without any display SDL silently picks its offscreen or dummy driver: the program would then run without a
// visible window. Those drivers are accepted only when they were asked for by name (as the tests do).
void Engine::RefuseFallbackDriver() const
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr)
        return;
    const bool headless = strcasecmp(driver, "offscreen") == 0 || strcasecmp(driver, "dummy") == 0;
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (!headless || (requested != nullptr && strcasecmp(requested, driver) == 0))
        return;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const std::string message = std::string("Can't initialize SDL:\nNo display found (DISPLAY=") +
                                (display ? display : "") + ", WAYLAND_DISPLAY=" + (wayland ? wayland : "") +
                                "); SDL fell back to its \"" + driver +
                                "\" video driver, which shows no window. Start Zandrel on a desktop or under xvfb-run.";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    Common::Helper::Throw(message);
}

void Engine::SetColorAttributes() const
{
    const int bits = settings.GetBitsPerPixel();
    if (bits == 32)
    {
        SetAttribute(SDL_GL_RED_SIZE, 8);
        SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    }
    else if (bits == 16)
    {
        SetAttribute(SDL_GL_RED_SIZE, 5);
        SetAttribute(SDL_GL_BLUE_SIZE, 5);
        SetAttribute(SDL_GL_GREEN_SIZE, 6);
    }
    else
    {
        throw std::runtime_error("Ungültiger Farbmodus, Bit: " + std::to_string(bits));
    }
}

void Engine::OpenWindow(const std::string& title)
{
    const Common::Point2D size = settings.GetSize();
    // Resizable: the views follow the window's size from frame to frame.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    if (settings.IsFullscreen())
        flags |= SDL_WINDOW_FULLSCREEN;
    window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  static_cast<int>(size.X()), static_cast<int>(size.Y()), flags));
    if (!window)
        Common::Helper::Throw(std::string("Can't set Videomode: \n") + SDL_GetError());
    context.reset(SDL_GL_CreateContext(window.get()));
    if (!context)
    {
        // Read the error before closing the window, which may overwrite it.
        const std::string message = std::string("Can't set Videomode: \n") + SDL_GetError();
        window.reset();
        Common::Helper::Throw(message);
    }
}

void Engine::SetFixedState()
{
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    SetCullFace(true);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_COLOR_MATERIAL);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    const std::array<GLfloat, 4> black{0.0f, 0.0f, 0.0f, 0.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black.data());
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

void Engine::CloseWindow()
{
    context.reset();
    window.reset();
}

void Engine::Dispose()
{
    Common::MyLog::Info("Dispose VideoEngine");
    try
    {
        // While the context is still current: the vertex buffers, then every cached image's textures.
        vertexBuffers.ReleaseAll();
        glyphAtlas.Release();
        layer.Release();
        surfaceManager.FreeAll();
    }
    catch (const std::exception& error)
    {
        Common::MyLog::Warning(error.what());
    }
    Common::MyLog::Info("VideoEngine disposed");
}

void Engine::ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void Engine::SetView2D(Common::Point3D eye, Common::Point3D center, Common::Point3D up)
{
    layer.Flush();
    const Common::Point2D size = windowSize;
    glViewport(0, 0, static_cast<GLsizei>(size.X()), static_cast<GLsizei>(size.Y()));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, size.X(), size.Y(), 0.0, -depth2D, depth2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.X(), eye.Y(), eye.Z(), center.X(), center.Y(), center.Z(), up.X(), up.Y(), up.Z());
    glClear(GL_DEPTH_BUFFER_BIT);
    SetLighting(false);
    glShadeModel(GL_SMOOTH);
}

void Engine::SetView3D(Common::Point3D eye, Common::Point3D center, Common::Point3D up)
{
    layer.Flush();
    const Common::Point2D size = windowSize;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(size.X()) / static_cast<double>(size.Y()), 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The cameras keep y pointing down (the 2D convention); the 3D view turns it back up here, and only here.
    gluLookAt(eye.X(), eye.Y(), eye.Z(), center.X(), center.Y(), center.Z(), up.X(), -up.Y(), up.Z());
    glClear(GL_DEPTH_BUFFER_BIT);
    glShadeModel(GL_FLAT);
}

float Engine::GetDepth2D() const
{
    return depth2D;
}

void Engine::InitFrame()
{
    Common::Helper::Rethrowing("Fehler in VideoEngine.InitFrame", [this] {
        layer.Flush();
        FollowWindowSize();
        lightCount = 0;
        alphaStack.clear();
        videoInfo.Reset();
        glClearColor(backgroundColor.R(), backgroundColor.G(), backgroundColor.B(), backgroundColor.A());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    });
}

void Engine::SwapBuffers()
{
    layer.Flush();
    DeliverCaptures();
    SDL_GL_SwapWindow(window.get());
}

void Engine::PushAlpha(int alpha)
{
    alphaStack.push_back(alpha);
}

int Engine::PopAlpha()
{
    if (alphaStack.empty())
        throw std::out_of_range("PopAlpha: the alpha stack is empty");
    const int top = alphaStack.back();
    alphaStack.pop_back();
    return top;
}

std::optional<int> Engine::GetAlphaTop() const
{
    if (alphaStack.empty())
        return std::nullopt;
    return alphaStack.back();
}

void Engine::PushTransform(const std::optional<Common::Point3D>& position,
                           const std::optional<Common::Point3D>& rotation, const std::optional<Common::Point3D>& scale)
{
    videoInfo.AddNode();
    glPushMatrix();
    if (position)
        glTranslatef(position->X(), position->Y(), position->Z());
    if (rotation)
    {
        glRotatef(rotation->X(), 1.0f, 0.0f, 0.0f);
        glRotatef(rotation->Y(), 0.0f, 1.0f, 0.0f);
        glRotatef(rotation->Z(), 0.0f, 0.0f, 1.0f);
    }
    if (scale)
        glScalef(scale->X(), scale->Y(), scale->Z());
}

void Engine::PushIdentity()
{
    glPushMatrix();
    glLoadIdentity();
}

void Engine::PopTransform()
{
    PopMatrix();
}

void Engine::PopMatrix()
{
    glPopMatrix();
}

std::array<float, 16> Engine::GetModelViewMatrix() const
{
    std::array<float, 16> matrix{};
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
    return matrix;
}

Common::Point2D Engine::GetScreenSize() const
{
    return windowSize;
}

Common::Color Engine::GetBackgroundColor() const
{
    return backgroundColor;
}

void Engine::SetBackgroundColor(Common::Color color)
{
    backgroundColor = color;
}

const MaskData& Engine::GetMaskData() const
{
    return maskData;
}

const VideoSettings& Engine::GetSettings() const
{
    return settings;
}

const VideoInfo& Engine::GetVideoInfo() const
{
    return videoInfo;
}

void Engine::SetLighting(bool on)
{
    layer.Flush();
    if (on)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
}

void Engine::SetCullFace(bool on)
{
    layer.Flush();
    if (on)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
}

void Engine::BeginLayer()
{
    layer.Flush();
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    // A view that does not start at the window's corner is drawn directly.
    if (viewport[0] == 0 && viewport[1] == 0)
        layer.Open(viewport[2], viewport[3]);
}

void Engine::EndLayer()
{
    layer.Close();
}

void Engine::DropLayer()
{
    layer.Flush();
}

} // namespace Quarnel::GameEngine2D::Video
