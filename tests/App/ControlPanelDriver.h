#pragma once

#include "Common/Point2D.h"
#include "Support/OffscreenEngine.h"
#include "app/GameStart.h"

#include <SDL.h>
#include <cstdint>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Scene
{
class Scene;
} // namespace Quarnel::GameEngine2D::Scene

namespace Quarnel::GameEngine2D::Widgets
{
class Control;
} // namespace Quarnel::GameEngine2D::Widgets

namespace Zandrel
{
class Game;
class GameGUI;
} // namespace Zandrel

namespace Zandrel::Testing
{

// The real game with its control panel on an offscreen window, driven as the main loop drives it but on a fixed
// clock: each frame pumps SDL's queue into the engine's input dispatcher, clears, and updates the game scene and
// then the panel scene. Input is given as pushed SDL events, which the next frame delivers; the helpers that act
// like a person leave one frame between pointer moves, presses and key strokes.
class ControlPanelDriver
{
public:
    // `start` as the program would hand it over: the default reads the repository's daten/; it also says where
    // saves go and which system file to start with.
    explicit ControlPanelDriver(GameStart start = {});
    ControlPanelDriver(const ControlPanelDriver&) = delete;
    ControlPanelDriver& operator=(const ControlPanelDriver&) = delete;
    ~ControlPanelDriver();

    [[nodiscard]] Game& GetGame() const { return *game; }
    [[nodiscard]] GameGUI& Gui() const { return *gui; }
    [[nodiscard]] Quarnel::GameEngine2D::Scene::Scene& PanelScene() const { return *panel; }
    [[nodiscard]] Quarnel::TestSupport::OffscreenEngine& Offscreen() { return offscreen; }

    // Delivers what is queued and draws `count` frames. Frames are never presented, so the last one's pixels can be
    // read.
    void Frames(int count = 1);
    [[nodiscard]] int GetFrameCount() const { return frameCount; }

    // The middle of a panel control, in window pixels.
    [[nodiscard]] Quarnel::Common::Point2D CenterOf(const Quarnel::GameEngine2D::Widgets::Control& control) const;
    [[nodiscard]] Quarnel::Common::Point2D CenterOf(const std::string& controlName) const;

    // Acting like a person: pointer there (one frame), then press and release (one frame).
    void ClickAt(Quarnel::Common::Point2D at);
    void Click(const std::string& controlName);
    void Click(const Quarnel::GameEngine2D::Widgets::Control& control);
    // One frame per key press.
    void PressKey(SDL_Keycode key);
    void TypeDigits(const std::string& digits);
    // Clicks the field, empties it (17 Backspaces: more than any field holds) and types `text`.
    void Retype(const std::string& field, const std::string& text);

    // Raw event builders: they only push onto SDL's queue.
    static void PushMove(Quarnel::Common::Point2D at);
    static void PushButton(Quarnel::Common::Point2D at, std::uint8_t button, bool pressed);
    static void PushWheel(Quarnel::Common::Point2D at, int notches);
    // A key press with the text it types (empty for keys that type none), then its release.
    static void PushKey(SDL_Keycode key, const std::string& text);
    // Only the press or only the release of a key, for holding a modifier around others.
    static void PushKeyEdge(SDL_Keycode key, bool pressed);

private:
    void DeliverEvents();

    Quarnel::TestSupport::OffscreenEngine offscreen;
    std::shared_ptr<Game> game;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> panel;
    std::shared_ptr<GameGUI> gui;
    std::uint32_t ticks = 1000;
    int frameCount = 0;
};

} // namespace Zandrel::Testing
