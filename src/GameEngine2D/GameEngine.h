#pragma once

#include "Common/Event.h"
#include "GameEngine2D/IAudioEngine.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/IGameEngine.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D
{

// The root of the engine. It owns the video engine (and with it the window), the input dispatcher and the
// ordered list of scenes, and runs the main loop: pump SDL's events into the dispatcher, clear the frame, let
// every scene update and draw itself, present the frame, fire FrameDone, sleep 3 ms; until the quit event.
//
// Everything runs on the thread that constructs the engine. Use: construct, register scenes, Run, Dispose.
// Scenes reach it through the narrow Scene::IGameEngine.
class GameEngine final : public Scene::IGameEngine
{
public:
    // Writes "Lade GameEngine", initialises SDL_ttf, opens the window titled `title` with its OpenGL context
    // and creates the input dispatcher. Throws std::runtime_error when SDL_ttf, SDL's video or the window
    // cannot be set up, or the OpenGL driver lacks vertex buffer objects. `audio` may be null.
    GameEngine(const Video::VideoSettings& videoSettings, const std::string& title,
               std::unique_ptr<IAudioEngine> audio);
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;
    // Releases the window and SDL if Dispose was never called (the program disposes explicitly).
    virtual ~GameEngine();

    [[nodiscard]] Common::EventAddHandler<>& FrameDone() override;
    // Shuts down: "Closing GameEngine", scenes disposed in list order, video engine disposed, SDL quit,
    // "Disposing ok". Never throws; a second call does nothing.
    virtual void Dispose();
    void AddScene(std::shared_ptr<Scene::Scene> scene) override;
    void SetScene(std::shared_ptr<Scene::Scene> scene, bool disposeOthers) override;
    // The main loop; returns after the quit event or after logging an exception raised inside a frame.
    virtual void Run();
    [[nodiscard]] virtual IAudioEngine* GetAudioEngine() const;
    [[nodiscard]] Video::Engine& GetVideoEngine() override;
    [[nodiscard]] Input::EventManager& GetEventManager() override;
    // A new scene bound to this engine; not registered (AddScene or SetScene does that).
    [[nodiscard]] virtual std::shared_ptr<Scene::Scene> CreateScene(const std::string& name);

    [[nodiscard]] bool IsRunning() const { return running; }
    [[nodiscard]] int GetSceneCount() const { return static_cast<int>(scenes.size()); }

private:
    void RunFrames();
    void DisposeScenes();
    void ReleaseLibraries();

    // Declared first so that they are destroyed last: scenes may still reach the video engine and the
    // dispatcher while they are torn down.
    std::unique_ptr<Video::Engine> videoEngine;
    std::unique_ptr<IAudioEngine> audioEngine;
    std::unique_ptr<Input::EventManager> eventManager;
    Common::Event<> frameEvent;
    std::vector<std::shared_ptr<Scene::Scene>> scenes;
    bool running = false;
    bool disposed = false;
};

} // namespace Quarnel::GameEngine2D
