#pragma once

#include "Common/Color.h"
#include "Common/Event.h"
#include "Common/Point2D.h"
#include "GameEngine2D/Animation/Forward.h"
#include "GameEngine2D/Input/Forward.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Scene/IGameEngine.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Scene
{

// One screen of the program: a node tree under one root, a camera, an animation clock, a physics world
// and a node factory. The game engine updates every registered scene once per frame, in its list order.
//
// Scenes are owned by std::shared_ptr: Show hands the scene itself to the engine's list.
class Scene : public std::enable_shared_from_this<Scene>
{
public:
    Scene(std::string sceneName, IGameEngine& engine);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    virtual ~Scene();

    // Lets the onUpdate delegate run; there is no way back.
    virtual void EnableOnUpdate();
    // Removes the pointer-following handler and disposes the node tree; logs failures, never throws.
    virtual void Dispose();
    // Hands the background colour to the video engine and appends this scene to the engine's list, after
    // disposing all others when asked to.
    virtual void Show(bool disposeOthers);
    // One frame: animation clock, physics world, camera, node tree, then onUpdate.
    virtual void Update(std::uint32_t ticks);
    [[nodiscard]] virtual std::shared_ptr<EmptyNode> GetRoot() const;
    [[nodiscard]] virtual NodeFactory& GetNodeFactory() const;
    [[nodiscard]] virtual IGameEngine& GetGameEngine() const;
    [[nodiscard]] virtual Animation::AnimationManager& GetAnimationManager() const;
    [[nodiscard]] virtual Common::Color GetBackgroundColor() const;
    // Takes effect at the next Show.
    virtual void SetBackgroundColor(Common::Color color);
    [[nodiscard]] virtual Input::EventManager& GetEventManager() const;
    // Stored only; EnableOnUpdate lets it run.
    virtual void SetOnUpdate(std::function<void()> callback);
    [[nodiscard]] virtual const std::string& GetName() const;
    [[nodiscard]] virtual std::shared_ptr<Camera> GetCamera() const;
    // Puts the node under the root and lets it follow the pointer; the cursor is hidden.
    virtual void SetMouseNode(std::shared_ptr<Node> node);
    [[nodiscard]] virtual Physics::World& GetWorld() const;
    // Raised in every Update right before and right after the physics world advances: what watches the bodies'
    // state between steps, or moves the camera with a body before the frame is drawn, hooks in here.
    [[nodiscard]] Common::EventAddHandler<>& OnBeforePhysics() { return beforePhysics.GetAddHandler(); }
    [[nodiscard]] Common::EventAddHandler<>& OnAfterPhysics() { return afterPhysics.GetAddHandler(); }

    // Draws the node tree as one cached layer of the video engine (Engine::BeginLayer): for a flat scene over
    // another one that changes far less often than it is drawn, such as a control panel.
    void SetCachedLayer(bool on) { cachedLayer = on; }

    // 0, 1, 2, … on successive calls; numbers the scene's lights.
    int NextId();

private:
    void RegisterMouseHandler();
    void FollowPointer(Common::Point2D mouse);
    // The node tree, then onUpdate.
    void DrawTree();

    std::string name;
    // The information line of a failed update, formed once rather than in every frame.
    std::string updateErrorLine;
    IGameEngine& gameEngine;
    // Declared before the node tree, so that they outlive the nodes that run animations or drive masses.
    std::unique_ptr<Animation::AnimationManager> animationManager;
    std::unique_ptr<Physics::World> world;
    std::shared_ptr<EmptyNode> root;
    Common::Color backgroundColor;
    std::unique_ptr<NodeFactory> nodeFactory;
    Input::EventManager* eventManager = nullptr;
    std::shared_ptr<Camera> camera;
    std::shared_ptr<Node> mouseNode;
    Input::InputSubscription mouseHandler;
    std::function<void()> onUpdate;
    bool onUpdateEnabled = false;
    bool cachedLayer = false;
    int idCounter = -1;
    Common::Event<> beforePhysics;
    Common::Event<> afterPhysics;
};

} // namespace Quarnel::GameEngine2D::Scene
