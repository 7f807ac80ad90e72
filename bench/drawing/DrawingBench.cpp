// One frame of the drawing paths: what the engine spends submitting work to OpenGL. The rasteriser (Mesa's llvmpipe
// here) finishes the frame outside the timed region, so the figures are the engine's own CPU time.
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Video/Material.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <epoxy/gl.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace Quarnel;
using Common::Color;
using Common::Point3D;
using GameEngine2D::Scene::EmptyNode;

// One window for the whole program: the benchmarks share it, as the game shares its one engine.
GameEngine2D::GameEngine& Engine()
{
    static std::unique_ptr<GameEngine2D::GameEngine> engine = [] {
        // No display on the benchmark machines: SDL's offscreen driver gives a real OpenGL context.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        return std::make_unique<GameEngine2D::GameEngine>(
            GameEngine2D::Video::VideoSettings({1024.0f, 768.0f}, 32, false, 1024), "bench_drawing", nullptr);
    }();
    return *engine;
}

std::shared_ptr<GameEngine2D::Video::Font> Vera()
{
    auto& fonts = Engine().GetVideoEngine().GetFontManager();
    static const std::string id =
        fonts.Create(QUARNEL_SOURCE_DIR "/daten/font/vera/Vera.ttf", 12, Color(255, 255, 255, 255));
    return fonts.Get(id);
}

// Draws the tree once between the frame start and the swap; the GL finish is not timed.
template <typename SetView>
void DrawFrames(benchmark::State& state, EmptyNode& root, SetView setView)
{
    auto& engine = Engine();
    auto& video = engine.GetVideoEngine();
    for (auto _ : state)
    {
        video.InitFrame();
        setView(video);
        root.Update(engine);
        state.PauseTiming();
        glFinish();
        state.ResumeTiming();
    }
}

// 1000 spheres sharing one uploaded model, each with a material of its own, under one light. With
// `drawnVertices` false every buffer draws 0 vertices: what is left is the engine's own work per node (transform,
// material, buffer binding) without the driver's vertex processing, which llvmpipe does on the calling thread.
void FrameOf1000Spheres(benchmark::State& state, bool drawnVertices)
{
    auto& engine = Engine();
    auto& video = engine.GetVideoEngine();
    const auto sphere = video.GetMeshFiles().CreateMeshData(QUARNEL_SOURCE_DIR "/daten/models/sphere.obj");
    GameEngine2D::Video::Data::VboIDs buffers = sphere->GetBuffers();
    if (!drawnVertices)
        buffers.count = 0;
    auto root = std::make_shared<EmptyNode>("root", Point3D(), Point3D());
    auto light = std::make_shared<GameEngine2D::Scene::LightNode>("light", Point3D(), 0);
    light->SetColors(std::make_shared<GameEngine2D::Video::Data::LightColors>(
        Color(40, 40, 40, 255), Color(255, 255, 255, 255), Color(255, 255, 255, 255)));
    root->AddChild(light);
    for (int i = 0; i < 1000; ++i)
    {
        const Point3D position(static_cast<float>(i % 40 - 20) * 5.0f, static_cast<float>(i / 40 - 12) * 5.0f, 0.0f);
        auto mesh = std::make_shared<GameEngine2D::Video::Data::MeshData>(
            buffers, std::make_shared<GameEngine2D::Video::Material>(*sphere->GetMaterial()));
        root->AddChild(std::make_shared<GameEngine2D::Scene::StaticMeshNode>("sphere" + std::to_string(i), position,
                                                                             std::move(mesh)));
    }
    DrawFrames(state, *root, [](GameEngine2D::Video::Engine& v) {
        v.SetView3D(Point3D(0.0f, 0.0f, 160.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, -1.0f, 0.0f));
    });
    state.counters["triangles"] = benchmark::Counter(drawnVertices ? 960.0 * 1000.0 : 0.0);
    root->Dispose(engine);
}

void BM_FrameOf1000Spheres(benchmark::State& state)
{
    FrameOf1000Spheres(state, true);
}
BENCHMARK(BM_FrameOf1000Spheres)->Unit(benchmark::kMillisecond);

void BM_FrameOf1000SpheresWithoutVertices(benchmark::State& state)
{
    FrameOf1000Spheres(state, false);
}
BENCHMARK(BM_FrameOf1000SpheresWithoutVertices)->Unit(benchmark::kMillisecond);

void BM_FrameOf500Characters(benchmark::State& state)
{
    auto& engine = Engine();
    auto& video = engine.GetVideoEngine();
    auto root = std::make_shared<EmptyNode>("root", Point3D(), Point3D());
    const std::string line = "Objekt 17 | Masse 4200 | Position 12.5, -3.0, 7.25";
    for (int i = 0; i < 10; ++i)
        root->AddChild(std::make_shared<GameEngine2D::Scene::TextNode>(
            "line" + std::to_string(i), video, Point3D(10.0f, 20.0f * static_cast<float>(i), 0.0f), Vera(),
            line.substr(0, 50)));
    DrawFrames(state, *root, [](GameEngine2D::Video::Engine& v) {
        v.SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    });
    state.counters["characters"] = benchmark::Counter(500.0);
    root->Dispose(engine);
}
BENCHMARK(BM_FrameOf500Characters)->Unit(benchmark::kMillisecond);

// A changing ten-digit counter whose digits are all cached: the per-change cost of a live text.
void BM_CounterSetText(benchmark::State& state)
{
    auto& video = Engine().GetVideoEngine();
    GameEngine2D::Scene::TextNode counter("counter", video, Point3D(), Vera(), "0123456789");
    std::vector<std::string> values;
    for (long long value = 1000000000; values.size() < 64; value += 123456789)
        values.push_back(std::to_string(value));
    std::size_t next = 0;
    for (auto _ : state)
    {
        counter.SetText(values[next]);
        next = (next + 1) % values.size();
    }
    counter.Dispose(Engine());
}
BENCHMARK(BM_CounterSetText)->Unit(benchmark::kMicrosecond);

} // namespace
