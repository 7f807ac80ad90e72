#include "GameEngine2D/GameEngine.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Scene/Scene.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <epoxy/gl.h>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D
{

namespace
{

// The main loop sleeps this long after every frame so that it never occupies a processor fully.
constexpr Uint32 FramePauseMs = 3;

} // namespace

GameEngine::GameEngine(const Video::VideoSettings& videoSettings, const std::string& title,
                       std::unique_ptr<IAudioEngine> audio)
{
    Common::MyLog::Info("Lade GameEngine");
    // The libraries are linked, so binding them needs no work; SDL_ttf is set up before SDL itself.
    if (TTF_Init() == -1)
        Common::Helper::Throw(std::string("Can't initialize SDL_TTF:\n") + SDL_GetError());
    videoEngine = std::make_unique<Video::Engine>(videoSettings, title);
    // Static meshes live in vertex buffer objects; their functions need the context opened just now.
    if (!epoxy_has_gl_extension("GL_ARB_vertex_buffer_object"))
        throw std::runtime_error("Can't bind GL_ARB_vertex_buffer_object: the OpenGL driver lacks vertex buffers");
    audioEngine = std::move(audio);
    running = true;
    eventManager = std::make_unique<Input::EventManager>();
}

GameEngine::~GameEngine()
{
    if (disposed)
        return;
    // Scenes may free GL names as they go, which needs the context: drop them before the window closes.
    scenes.clear();
    if (videoEngine)
        videoEngine->CloseWindow();
    SDL_Quit();
    TTF_Quit();
}

Common::EventAddHandler<>& GameEngine::FrameDone()
{
    return frameEvent.GetAddHandler();
}

void GameEngine::AddScene(std::shared_ptr<Scene::Scene> scene)
{
    scenes.push_back(std::move(scene));
}

void GameEngine::SetScene(std::shared_ptr<Scene::Scene> scene, bool disposeOthers)
{
    Common::Helper::Rethrowing("Fehler in SetScene", [&] {
        if (disposeOthers)
            DisposeScenes();
        scenes.push_back(std::move(scene));
    });
}

// Disposes every scene in list order and empties the list. Each scene is held while it is disposed, and the
// list is walked by index, so a scene that registers or replaces scenes from its Dispose breaks nothing.
void GameEngine::DisposeScenes()
{
    for (std::size_t index = 0; index < scenes.size(); ++index)
    {
        const std::shared_ptr<Scene::Scene> scene = scenes[index];
        scene->Dispose();
    }
    scenes.clear();
}

void GameEngine::Run()
{
    try
    {
        RunFrames();
    }
    catch (...)
    {
        Common::MyLog::Warning(Common::Helper::MessageOf(std::current_exception()));
    }
}

void GameEngine::RunFrames()
{
    SDL_Event event{};
    while (running)
    {
        // The quit event ends the pump at once: events queued behind it are not taken.
        while (SDL_PollEvent(&event) == 1)
        {
            if (event.type == SDL_QUIT)
            {
                running = false;
                break;
            }
            if (eventManager)
                eventManager->HandleEvent(event);
        }
        if (!running)
            break;
        if (audioEngine)
            audioEngine->Update();
        videoEngine->InitFrame();
        // Walked by index and each scene held while it draws: a scene may add or replace scenes from its Update.
        // Every scene gets a fresh tick reading, the absolute milliseconds since SDL started.
        for (std::size_t index = 0; index < scenes.size(); ++index)
        {
            const std::shared_ptr<Scene::Scene> scene = scenes[index];
            scene->Update(SDL_GetTicks());
        }
        videoEngine->SwapBuffers();
        frameEvent.Call();
        SDL_Delay(FramePauseMs);
    }
}

void GameEngine::Dispose()
{
    if (disposed)
        return;
    disposed = true;
    Common::MyLog::Info("Closing GameEngine");
    for (std::size_t index = 0; index < scenes.size(); ++index)
    {
        const std::shared_ptr<Scene::Scene> scene = scenes[index];
        try
        {
            scene->Dispose();
        }
        catch (...)
        {
            // A scene handles its own failures; should one still escape, the others are disposed all the same.
            Common::MyLog::Warning(Common::Helper::MessageOf(std::current_exception()));
        }
    }
    scenes.clear();
    running = false;
    try
    {
        videoEngine->Dispose();
    }
    catch (...)
    {
        Common::MyLog::Info("Fehler: " + Common::Helper::MessageOf(std::current_exception()));
    }
    try
    {
        if (audioEngine)
            audioEngine->Dispose();
        ReleaseLibraries();
        Common::MyLog::Info("Disposing ok");
    }
    catch (...)
    {
        Common::MyLog::Info("Fehler: " + Common::Helper::MessageOf(std::current_exception()));
        Common::MyLog::Info(std::string("SDL_ERROR: ") + SDL_GetError());
    }
}

// The window and its context go first, then SDL, then the libraries in the reverse order of binding.
void GameEngine::ReleaseLibraries()
{
    videoEngine->CloseWindow();
    SDL_Quit();
    TTF_Quit();
    IMG_Quit();
}

IAudioEngine* GameEngine::GetAudioEngine() const
{
    return audioEngine.get();
}

Video::Engine& GameEngine::GetVideoEngine()
{
    return *videoEngine;
}

Input::EventManager& GameEngine::GetEventManager()
{
    return *eventManager;
}

std::shared_ptr<Scene::Scene> GameEngine::CreateScene(const std::string& name)
{
    return std::make_shared<Scene::Scene>(name, *this);
}

} // namespace Quarnel::GameEngine2D
