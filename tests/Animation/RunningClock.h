#pragma once

#include "GameEngine2D/Animation/AnimationManager.h"

#include <algorithm>
#include <cstdint>

namespace AnimationTesting
{

// A started manager whose clock has recorded its first tick (at 10000 ms); Frame advances it by one step.
struct RunningClock
{
    Quarnel::GameEngine2D::Animation::AnimationManager manager;
    std::uint32_t ticks = 10000;

    RunningClock()
    {
        manager.Start();
        manager.Update(ticks);
    }
    void Frame(std::uint32_t step = 16) { manager.Update(ticks += step); }
    void Frames(int count)
    {
        for (int frame = 0; frame < count; ++frame)
            Frame();
    }
    // Steps of at most 16 ms until the animation clock reads exactly time.
    void AdvanceTo(std::uint32_t time)
    {
        while (manager.GetTime() < time)
            Frame(std::min<std::uint32_t>(16, time - manager.GetTime()));
    }
};

} // namespace AnimationTesting
