#pragma once

#include "GameEngine2D/Animation/Forward.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"

#include <cstdint>
#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// Base of application nodes that take one step per animation-clock tick. The first time the node is drawn it starts a
// custom animation in its scene's animation manager, whose every step calls Animate with the elapsed milliseconds;
// disposing the node stops it. A subclass names the scene (SetScene) before the node is first drawn.
class CustomAnimationNode : public EmptyNode
{
public:
    CustomAnimationNode(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize);
    // Stops the animation, so a node dropped without being disposed leaves nothing running.
    ~CustomAnimationNode() override;

    void DisposeNode(IGameEngine& gameEngine) override;
    // Starts the animation on the first call; a node without a scene then: std::runtime_error "scene is null".
    void UpdateNode(IGameEngine& gameEngine) override;

    // The subclass's step; `elapsed` is the animation's elapsed time in milliseconds.
    virtual void Animate(std::uint32_t elapsed) = 0;
    virtual void OnAnimationStep(std::uint32_t elapsed);

protected:
    // The scene whose animation manager runs the step; it must outlive the animation (the node's disposal).
    void SetScene(Scene& ownerScene) { scene = &ownerScene; }

private:
    void StopAnimation();

    std::unique_ptr<Animation::CustomAnimation> animation;
    Scene* scene = nullptr;
};

} // namespace Quarnel::GameEngine2D::Scene
