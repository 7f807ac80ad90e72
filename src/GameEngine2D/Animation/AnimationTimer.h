#pragma once

#include "GameEngine2D/Animation/Animation.h"

#include <cstdint>

namespace Quarnel::GameEngine2D::Animation
{

// A one-shot timer: stops itself on the first step after `duration` milliseconds; callers listen to Stopped().
class AnimationTimer final : public Animation
{
public:
    explicit AnimationTimer(std::uint32_t milliseconds = 0);

protected:
    void OnStart() override;
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    [[nodiscard]] virtual std::uint32_t GetDuration() const;
    virtual void SetDuration(std::uint32_t milliseconds);

private:
    std::uint32_t duration;
};

} // namespace Quarnel::GameEngine2D::Animation
