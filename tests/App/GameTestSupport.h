#pragma once

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/Scene.h"
#include "Support/OffscreenEngine.h"
#include "app/Game.h"
#include "app/System/SolarSystem.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

namespace Zandrel::Tests
{

// The real game scene from the real daten/ (tests run in the repository root), on an offscreen window, with frames
// drawn exactly as the engine's main loop draws them: clear, then every scene in list order.
class GameTest : public ::testing::Test
{
protected:
    GameTest() : game(Game::Create(offscreen.Engine())), panel(game->GetPanelScene()) {}

    [[nodiscard]] System::SolarSystem& Bodies() { return *game->GetSolarSystem(); }

    // One frame at `ticks` milliseconds; leaves the frame unpresented so that its pixels can be read.
    void DrawFrame(std::uint32_t ticks)
    {
        offscreen.Video().InitFrame();
        game->Update(ticks);
        panel->Update(ticks);
    }

    // `count` frames from the fixed clock below: the scene's clock only records the first tick, then every frame
    // lasts FrameMs.
    void RunFrames(int count)
    {
        for (int frame = 0; frame < count; ++frame)
        {
            DrawFrame(nextTicks);
            nextTicks += FrameMs;
        }
    }

    static constexpr std::uint32_t FirstTicks = 1000;
    static constexpr std::uint32_t FrameMs = 16;

    Quarnel::TestSupport::OffscreenEngine offscreen;
    std::shared_ptr<Game> game;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> panel;
    std::uint32_t nextTicks = FirstTicks;
};

} // namespace Zandrel::Tests
