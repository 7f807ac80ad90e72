#include "Common/Point3D.h"
#include "Common/RandomNumber.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Video/VideoSettings.h"
#include "app/Game.h"
#include "app/System/Conservation.h"
#include "app/System/SolarSystem.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <epoxy/gl.h>
#include <filesystem>
#include <memory>

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::Common::RandomNumber;
using Quarnel::GameEngine2D::GameEngine;

// The game reads daten/ from the working directory, and the frames are drawn headless by Mesa's llvmpipe: both are
// settled before the first benchmark opens a window.
[[maybe_unused]] const bool Prepared = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::filesystem::current_path(QUARNEL_SOURCE_DIR);
    return true;
}();

constexpr std::uint32_t FrameMs = 16;

// The game scene as the program builds it, with one sun at the origin and count - 1 planets at seeded random places
// in the reference planes' cube, masses and sizes as the panel's random bodies would have them.
struct Sandbox
{
    explicit Sandbox(std::int64_t count) :
        engine(Quarnel::GameEngine2D::Video::VideoSettings({1024.0f, 768.0f}, 32, false, 1024), "Zandrel bench",
               nullptr),
        game(Zandrel::Game::Create(engine)),
        panel(game->GetPanelScene())
    {
        RandomNumber::Seed(42);
        Zandrel::System::SolarSystem& bodies = *game->GetSolarSystem();
        bodies.AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 10000.0f, 100.0f);
        for (std::int64_t body = 1; body < count; ++body)
        {
            const auto coordinate = [] { return static_cast<float>(RandomNumber::Get(0, 120)) - 60.0f; };
            const Point3D place(coordinate(), coordinate(), coordinate());
            bodies.AddPlanet("Planet", place, static_cast<float>(RandomNumber::Get(1, 100)),
                             static_cast<float>(RandomNumber::Get(20, 80)));
        }
    }

    ~Sandbox() { engine.Dispose(); }

    // One frame as the main loop draws it; glFinish makes the software renderer's work part of the frame.
    void Frame()
    {
        Quarnel::GameEngine2D::Video::Engine& video = engine.GetVideoEngine();
        video.InitFrame();
        game->Update(ticks);
        panel->Update(ticks);
        video.SwapBuffers();
        glFinish();
        ticks += FrameMs;
    }

    GameEngine engine;
    std::shared_ptr<Zandrel::Game> game;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> panel;
    std::uint32_t ticks = 1000;
};

void ReportFrames(benchmark::State& state)
{
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Whole frames: animation clock, the physics steps of a frame at speed ×1 (from a thousand bodies on with the
// gravity shared over every core, as the game has it), camera, drawing of the light, the bodies, the planes and the
// panel.
void BM_SandboxFrame(benchmark::State& state)
{
    Sandbox sandbox(state.range(0));
    sandbox.Frame();
    for (auto _ : state)
        sandbox.Frame();
    ReportFrames(state);
}

// The physics part of those frames alone: the world's step with every body's pairwise gravity and spin.
void BM_SandboxPhysics(benchmark::State& state)
{
    Sandbox sandbox(state.range(0));
    Quarnel::GameEngine2D::Physics::World& world = sandbox.game->GetWorld();
    for (auto _ : state)
        world.Update(FrameMs);
}

// The totals behind the statistics overlay's energy line, which it takes once a second and after every change of
// the system: every pair of bodies once, shared among the cores from two thousand bodies on. The second argument
// is the law: 1 the distance-independent pull the sandbox starts with, 0 the inverse-square one.
void BM_EnergyMeasure(benchmark::State& state)
{
    Sandbox sandbox(state.range(0));
    Zandrel::System::SolarSystem& bodies = *sandbox.game->GetSolarSystem();
    bodies.GetGravities().SetSimpleMode(state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(Zandrel::System::Conservation::Measure(bodies));
    const auto count = static_cast<double>(state.range(0));
    state.counters["pairs_per_second"] = benchmark::Counter(
        count * (count - 1.0) / 2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Real time gives frames per second; process CPU time includes llvmpipe's rendering threads.
BENCHMARK(BM_SandboxFrame)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_SandboxPhysics)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

BENCHMARK(BM_EnergyMeasure)->Args({10000, 1})->Args({10000, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
