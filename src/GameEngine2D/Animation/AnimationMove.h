#pragma once

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Animation/Animation.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Moves a node at a constant velocity while it runs. It works on the frame step, so the distance covered does not
// depend on the frame rate; it runs until its owner stops it.
class AnimationMove final : public Animation
{
public:
    // speed: units per second on each axis.
    explicit AnimationMove(std::shared_ptr<Common::IMoveable> moved = nullptr,
                           Common::Point3D unitsPerSecond = Common::Point3D(0.0f, 0.0f, 0.0f));

protected:
    void OnStart() override;
    // value: the frame step in milliseconds.
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    [[nodiscard]] virtual std::shared_ptr<Common::IMoveable> GetNode() const;
    virtual void SetNode(std::shared_ptr<Common::IMoveable> moved);
    [[nodiscard]] virtual Common::Point3D GetSpeed() const;
    virtual void SetSpeed(Common::Point3D unitsPerSecond);

private:
    std::shared_ptr<Common::IMoveable> node;
    Common::Point3D speed;
};

} // namespace Quarnel::GameEngine2D::Animation
