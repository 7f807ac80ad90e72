#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Helper
{

// The engine's statistics overlay: one text line each for the frame rate, the drawing counters of the last
// frame, the running animations of its scene and the registered input handlers. It counts frames through the
// game engine's frame event and rewrites its lines once a second, so a frame costs one counter step.
//
// The scene is a plain back reference: the overlay lives in that scene's tree.
class InfoFrame final : public Scene::EmptyNode
{
public:
    // How often the lines are rewritten, in milliseconds.
    static constexpr std::uint32_t RefreshInterval = 1000;

    // The overlay is named scene name + "_infoFrame"; its lines stand one below the other from `place` on. The
    // caller adds it to a parent. A null font is refused with std::invalid_argument "font is null".
    InfoFrame(Scene::Scene& ownerScene, const std::shared_ptr<Video::Font>& font, Common::Point3D place);
    ~InfoFrame() override;

    // Counts one presented frame and rewrites the lines when the interval is over (`ticks` in milliseconds).
    void CountFrame(std::uint32_t ticks);
    // Rewrites the lines from the current counters with the given frame rate.
    void Refresh(unsigned framesPerSecond);
    // Raised after every rewrite of the lines, so that lines added below them are rewritten alongside.
    [[nodiscard]] Common::EventAddHandler<>& OnRefresh() { return refreshed.GetAddHandler(); }
    // The height of the overlay's own lines: where a line added below them goes.
    [[nodiscard]] float GetLinesHeight() const { return linesHeight; }

private:
    enum Line : std::size_t
    {
        Fps,
        Nodes,
        Textures,
        Vertices,
        Animations,
        InputHandlers,
        Triangles,
        LineCount
    };

    Scene::Scene* scene;
    std::array<std::shared_ptr<Scene::TextNode>, LineCount> lines;
    std::uint32_t intervalStart = 0;
    unsigned frames = 0;
    bool counting = false;
    float linesHeight = 0.0f;
    Common::Event<> refreshed;
    // The engine's frame event counts the overlay's frames while the overlay lives.
    Common::Subscription frameDone;
};

} // namespace Quarnel::GameEngine2D::Helper
