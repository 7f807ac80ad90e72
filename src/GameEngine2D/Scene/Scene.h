#pragma once

#include "Common/Color.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D
{
class GameEngine;
} // namespace Quarnel::GameEngine2D

namespace Quarnel::GameEngine2D::Scene
{

// One screen of the program: a node tree under one root, a camera, an animation clock, a physics world
// and a node factory. The game engine updates every registered scene once per frame, in its list order.
//
// Scenes are owned by std::shared_ptr: Show hands the scene itself to the engine's list.
//
// TODO: this first cut carries the operations the game engine calls; the node tree, camera, animation
// clock, physics world and pointer node follow as their parts arrive.
class Scene : public std::enable_shared_from_this<Scene>
{
public:
    Scene(std::string sceneName, GameEngine& engine);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    virtual ~Scene();

    // Lets the onUpdate delegate run; there is no way back.
    virtual void EnableOnUpdate();
    // Disposes the scene's content; logs failures, never throws.
    virtual void Dispose();
    // One frame: animation clock, physics world, camera, node tree, then onUpdate.
    virtual void Update(std::uint32_t ticks);
    [[nodiscard]] virtual GameEngine& GetGameEngine() const;
    [[nodiscard]] virtual Common::Color GetBackgroundColor() const;
    // Takes effect at the next Show.
    virtual void SetBackgroundColor(Common::Color color);
    // Stored only; EnableOnUpdate lets it run.
    virtual void SetOnUpdate(std::function<void()> callback);
    [[nodiscard]] virtual const std::string& GetName() const;

    // 0, 1, 2, … on successive calls; numbers the scene's lights.
    int NextId();

private:
    std::string name;
    GameEngine& gameEngine;
    Common::Color backgroundColor;
    std::function<void()> onUpdate;
    bool onUpdateEnabled = false;
    int idCounter = -1;
};

} // namespace Quarnel::GameEngine2D::Scene
