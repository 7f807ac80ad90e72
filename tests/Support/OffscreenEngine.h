#pragma once

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <memory>

namespace Quarnel::TestSupport
{

// The program's own window settings: 1024 × 768, 32 bits, windowed, textures up to 1024 pixels.
[[nodiscard]] GameEngine2D::Video::VideoSettings ProgramVideoSettings();

// A real GameEngine with its window and OpenGL context on SDL's offscreen driver (the test main selects it), so
// drawing can be checked by reading pixels back. Disposes the engine when it goes out of scope.
//
//     TestSupport::OffscreenEngine offscreen;
//     auto& video = offscreen.Video();
//     video.InitFrame();  ... draw ...
//     EXPECT_EQ(TestSupport::ReadPixel(10, 10), (TestSupport::Rgba{255, 0, 0, 255}));
class OffscreenEngine
{
public:
    explicit OffscreenEngine(const GameEngine2D::Video::VideoSettings& settings = ProgramVideoSettings());
    OffscreenEngine(const OffscreenEngine&) = delete;
    OffscreenEngine& operator=(const OffscreenEngine&) = delete;
    ~OffscreenEngine();

    [[nodiscard]] GameEngine2D::GameEngine& Engine() { return *engine; }
    [[nodiscard]] GameEngine2D::Video::Engine& Video() { return engine->GetVideoEngine(); }
    [[nodiscard]] GameEngine2D::Input::EventManager& Input() { return engine->GetEventManager(); }

    // Disposes the engine now (idempotent); the destructor does it otherwise.
    void Dispose();

private:
    std::unique_ptr<GameEngine2D::GameEngine> engine;
};

} // namespace Quarnel::TestSupport
