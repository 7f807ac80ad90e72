#pragma once

#include "Common/Subscription.h"
#include "GameEngine2D/Control/Forward.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Forward.h"
#include "app/GameStart.h"

#include <memory>
#include <string>

namespace Zandrel
{

namespace System
{
class SolarSystem;
class Sphere;
} // namespace System

class BodyEditor;
class CameraFollow;
class GameGUI;
class LaunchDrag;
class LaunchPreviewNode;
class TrailsNode;
class SimulationShortcuts;
class SystemEditor;

// The game's 3D scene: the camera, a white point light at the origin, the solar system and three wire-frame reference
// planes, with mouse control of the camera; plus the flat control-panel scene drawn over it. Both register
// themselves with the engine, the 3D scene first. Updating, physics and drawing are the scene's own: the world runs
// the bodies in fixed steps of simulated time on its clock, which the keys of SimulationShortcuts steer.
// The window's keys are the game's too: F11 switches full screen, F12 saves a picture of the window.
class Game final : public Quarnel::GameEngine2D::Scene::Scene
{
public:
    static constexpr const char* SceneName = "Zandrel";
    static constexpr const char* FontFile = "daten//font//vera//Vera.ttf";
    static constexpr const char* GroundFile = "daten//models//ground.obj";

    // Opens the panel's font, builds both scenes and hands them to `engine`, the 3D scene first. A missing or
    // broken font, model or texture file: std::runtime_error, and nothing is registered.
    static std::shared_ptr<Game> Create(Quarnel::GameEngine2D::Scene::IGameEngine& engine, GameStart start = {});

    // Both scenes, not yet registered (Create does that); the font is the panel's.
    Game(Quarnel::GameEngine2D::Scene::IGameEngine& engine,
         std::unique_ptr<Quarnel::GameEngine2D::Video::FontManager> fonts,
         std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont, GameStart start = {});
    ~Game() override;

    // Where the data and the user's files are, and the start file of the command line.
    [[nodiscard]] const GameStart& GetStart() const { return start; }
    [[nodiscard]] const std::shared_ptr<System::SolarSystem>& GetSolarSystem() const { return solarSystem; }
    // The panel's font: Vera, 12 points, white.
    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Video::Font>& GetFont() const { return font; }
    // The control-panel scene, which the engine's list shares.
    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene>& GetPanelScene() const
    {
        return panelScene;
    }
    // The control panel; null until Create has built it.
    [[nodiscard]] const std::shared_ptr<GameGUI>& GetGui() const { return gui; }
    // Pause, speed and single step; null until Create has built the panel.
    [[nodiscard]] SimulationShortcuts* GetShortcuts() const { return shortcuts.get(); }
    // The selected body's values, shown and edited over the 3D view; null until Create has built the panel.
    [[nodiscard]] const std::shared_ptr<BodyEditor>& GetInspector() const { return inspector; }
    // Delete, save, load, undo and redo; null until Create has built the panel.
    [[nodiscard]] SystemEditor* GetEditor() const { return editor.get(); }
    // The bodies' trails ("T" shows and hides them), the camera's following of the selected body ("F") and the
    // launch of planets by Shift + left drag; null until Create has built the panel.
    [[nodiscard]] const std::shared_ptr<TrailsNode>& GetTrails() const { return trails; }
    [[nodiscard]] CameraFollow* GetCameraFollow() const { return follow.get(); }
    [[nodiscard]] LaunchDrag* GetLaunchDrag() const { return launchDrag.get(); }

private:
    void AddLight();
    void AddReferencePlanes();
    // Registers this scene and then the panel scene with the engine; needs a shared owner of this scene.
    void ShowWithPanel();
    void OnWindowKey(Quarnel::GameEngine2D::Input::EventType kind, const Quarnel::GameEngine2D::Input::KeyState& keys);
    void SwitchFullscreen();
    // Trails, follow and launch, bound to their keys; needs the panel.
    void AddMotionTools();
    void ToggleFollow();
    // The first body selected in the panel's list, or null.
    [[nodiscard]] std::shared_ptr<System::Sphere> SelectedBody() const;
    [[nodiscard]] bool IsOverPanel(Quarnel::Common::Point2D pointer) const;
    // After each frame's physics: the launch's prediction, and the camera moved with the followed body.
    void AfterPhysics();

    GameStart start;
    std::unique_ptr<Quarnel::GameEngine2D::Video::FontManager> fontManager;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font;
    std::unique_ptr<Quarnel::GameEngine2D::Control::CameraControl> cameraControl;
    std::shared_ptr<System::SolarSystem> solarSystem;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> panelScene;
    Quarnel::GameEngine2D::Input::InputSubscription windowKeys;
    std::shared_ptr<GameGUI> gui;
    std::unique_ptr<SimulationShortcuts> shortcuts;
    std::shared_ptr<BodyEditor> inspector;
    std::unique_ptr<SystemEditor> editor;
    std::shared_ptr<TrailsNode> trails;
    std::unique_ptr<CameraFollow> follow;
    std::unique_ptr<LaunchDrag> launchDrag;
    std::shared_ptr<LaunchPreviewNode> launchPreview;
    Quarnel::Common::Subscription escapeHandler;
    Quarnel::Common::Subscription afterPhysics;
};

} // namespace Zandrel
