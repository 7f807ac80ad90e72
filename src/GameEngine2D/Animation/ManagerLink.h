#pragma once

#include "GameEngine2D/Animation/AnimationManager.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// An observing reference to an animation manager. The scene owns its manager, while animations and connectors
// may outlive the scene (a widget keeps its fade helper); Get() then answers null instead of a dangling pointer.
class ManagerLink
{
public:
    ManagerLink() = default;
    explicit ManagerLink(AnimationManager& target) : manager(&target), lifetime(target.GetLifetime()) {}

    // The manager, or null when none was set or it has been destroyed since.
    [[nodiscard]] AnimationManager* Get() const { return lifetime.expired() ? nullptr : manager; }

private:
    AnimationManager* manager = nullptr;
    std::weak_ptr<const void> lifetime;
};

} // namespace Quarnel::GameEngine2D::Animation
