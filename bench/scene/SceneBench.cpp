#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Scene::EmptyNode;

// Runs headless like the tests unless the caller chose a video driver.
const bool headless = [] { return setenv("SDL_VIDEODRIVER", "offscreen", 0) == 0; }();

constexpr int Groups = 99;
constexpr int LeavesPerGroup = 100;
// The root, its groups and their leaves.
constexpr int NodeCount = 1 + Groups + Groups * LeavesPerGroup;

// A tree shaped like a busy scene: groups that are turned and partly translucent, each holding a hundred
// translated leaves, every tenth group hidden from view but still walked past.
std::shared_ptr<EmptyNode> BuildTree()
{
    auto root = std::make_shared<EmptyNode>("root", Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 0.0f, 0.0f));
    for (int group = 0; group < Groups; ++group)
    {
        auto branch = std::make_shared<EmptyNode>("group" + std::to_string(group), Point3D(1.0f, 0.0f, 0.0f),
                                                  Point3D(1.0f, 1.0f, 1.0f));
        branch->SetRotation(Point3D(0.0f, 0.0f, 3.6f));
        if (group % 3 == 0)
            branch->SetAlpha(128);
        for (int leaf = 0; leaf < LeavesPerGroup; ++leaf)
        {
            auto node = std::make_shared<EmptyNode>("leaf", Point3D(0.0f, 0.1f, 0.0f), Point3D(1.0f, 1.0f, 1.0f));
            node->SetScale(Point3D(1.0f, 1.0f, 1.0f));
            branch->AddChild(std::move(node));
        }
        root->AddChild(std::move(branch));
    }
    return root;
}

// One frame of the node traversal over 10 000 nodes: every node pushes its transform (and alpha) through
// the video engine, draws nothing itself and pops again.
void TraverseTenThousandNodes(benchmark::State& state)
{
    (void)headless;
    const Quarnel::GameEngine2D::Video::VideoSettings settings(Quarnel::Common::Point2D(320.0f, 240.0f), 32, false,
                                                               1024);
    Quarnel::GameEngine2D::GameEngine engine(settings, "bench_scene", nullptr);
    auto& video = engine.GetVideoEngine();
    const auto root = BuildTree();

    // Every node pops what it pushed, so frames follow each other without the clearing of InitFrame,
    // which would only measure the frame buffer.
    video.InitFrame();
    for (auto _ : state)
        root->Update(engine);

    state.counters["nodes"] = benchmark::Counter(static_cast<double>(NodeCount));
    state.counters["nodes_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * NodeCount, benchmark::Counter::kIsRate);
    root->Dispose(engine);
    engine.Dispose();
}

BENCHMARK(TraverseTenThousandNodes)->Unit(benchmark::kMicrosecond);

} // namespace
