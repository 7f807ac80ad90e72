#pragma once

#include "Common/Event.h"
#include "GameEngine2D/Animation/ValueManipulator.h"
#include "GameEngine2D/Scene/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Helper
{

// Fades one node's transparency towards a target with the accelerating step of ValueManipulator (the step grows
// with the frame time, up to maxStep per frame) and reports through `arrived` each time the fade stops. Reaching
// 0 hides the node, 255 shows it fully opaque.
//
// The scene is a plain back reference: faders belong to widgets of the scene's own tree.
class NodeFadeTransparent final : public Animation::ValueManipulator
{
public:
    using ArrivedEvent = Common::Event<Scene::Node&>;

    // The fade runs once started (Start with the scene's animation manager, or SetTargetAlpha). A null node is
    // refused with std::invalid_argument "node is null" (here and in SetNode).
    NodeFadeTransparent(Scene::Scene& ownerScene, std::shared_ptr<Scene::Node> fadedNode, int alphaTarget,
                        float stepGrowth, float largestStep);
    ~NodeFadeTransparent() override;

    [[nodiscard]] virtual int GetTargetAlpha() const;
    // Turns the fade towards `alpha` with its step starting again from 0, and starts it when it is not running.
    virtual void SetTargetAlpha(int alpha);
    // Raised with the node whenever the fade stops.
    [[nodiscard]] virtual Common::EventAddHandler<Scene::Node&>& Arrived();
    [[nodiscard]] virtual std::shared_ptr<Scene::Node> GetNode() const;
    virtual void SetNode(std::shared_ptr<Scene::Node> fadedNode);

private:
    void WriteAlpha(float value);
    void FireArrived();

    std::shared_ptr<Scene::Node> node;
    float current;
    int targetAlpha;
    ArrivedEvent arrived;
    Scene::Scene* scene;
};

} // namespace Quarnel::GameEngine2D::Helper
