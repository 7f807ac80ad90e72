#pragma once

#include "Common/EventAddHandler.h"
#include "GameEngine2D/Input/Forward.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// What scenes, nodes and widgets need of the engine object: its video engine, its input dispatcher, its list of
// scenes and its per-frame event. GameEngine implements it, so the scene layer never sees the engine object and
// the two do not include each other.
class IGameEngine
{
public:
    IGameEngine() = default;
    IGameEngine(const IGameEngine&) = delete;
    IGameEngine& operator=(const IGameEngine&) = delete;

    [[nodiscard]] virtual Video::Engine& GetVideoEngine() = 0;
    [[nodiscard]] virtual Input::EventManager& GetEventManager() = 0;
    // Subscription side of the event fired once after each presented frame.
    [[nodiscard]] virtual Common::EventAddHandler<>& FrameDone() = 0;
    // Appends `scene`; a scene added twice is updated twice per frame.
    virtual void AddScene(std::shared_ptr<Scene> scene) = 0;
    // With `disposeOthers`, disposes and forgets every registered scene first; then appends `scene`.
    virtual void SetScene(std::shared_ptr<Scene> scene, bool disposeOthers) = 0;

protected:
    ~IGameEngine() = default;
};

} // namespace Quarnel::GameEngine2D::Scene
