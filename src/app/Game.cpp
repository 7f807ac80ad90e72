#include "app/Game.h"

#include "Common/Color.h"
#include "Common/MyLog.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Control/CameraControl.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "app/BodyEditor.h"
#include "app/CameraFollow.h"
#include "app/GameGUI.h"
#include "app/LaunchDrag.h"
#include "app/LaunchPreviewNode.h"
#include "app/Screenshots.h"
#include "app/SimulationShortcuts.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/SystemEditor.h"
#include "app/TrailsNode.h"

#include <SDL.h>
#include <SDL_keycode.h>
#include <SDL_ttf.h>
#include <exception>
#include <stdexcept>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;

const Point3D Origin(0.0f, 0.0f, 0.0f);
const Point3D CameraPosition(8.0f, 5.0f, 150.0f);
constexpr int FontSize = 12;
constexpr Color FontColor(255, 255, 255, 255);
constexpr Color Background(96, 96, 96, 255);

// A white point light at the node's place (w = 1), fading slowly with distance.
constexpr Color LightAmbient(255, 255, 255, 255);
constexpr Color LightDiffuse(255, 255, 255, 255);
constexpr Color LightSpecular(128, 128, 128, 255);
constexpr float LightConstantAttenuation = 1.0f;
constexpr float LightLinearAttenuation = 0.0005f;

// The grid model spans about ±1 in x and y; flattened in z it reads as a plane of ±60 units.
const Point3D PlaneScale(60.0f, 1.0f, 0.01f);
// Degrees about x, y, z: the x-y plane, the x-z plane, the y-z plane.
const Point3D SecondPlaneRotation(90.0f, 0.0f, 0.0f);
const Point3D ThirdPlaneRotation(0.0f, 90.0f, 0.0f);

// Pointer pixels to scene units, and the scale of the wheel step.
constexpr float CameraSpeed = 0.2f;
constexpr float CameraUnusedFactor = 0.0f;

// F11 and F12 type no character.
constexpr auto FullscreenKey = static_cast<std::size_t>(Quarnel::GameEngine2D::Input::Keys::F11);
constexpr auto ScreenshotKey = static_cast<std::size_t>(Quarnel::GameEngine2D::Input::Keys::F12);

// The font is only opened when text is drawn; opening it once here reports a missing or broken file at start-up
// instead of in the middle of the game.
void CheckFontFile(const std::string& fileName, int size)
{
    TTF_Font* opened = TTF_OpenFont(fileName.c_str(), size);
    if (opened == nullptr)
        throw std::runtime_error("Schrift kann nicht geöffnet werden: " + fileName + "\n" + TTF_GetError());
    TTF_CloseFont(opened);
}

} // namespace

std::shared_ptr<Game> Game::Create(Quarnel::GameEngine2D::Scene::IGameEngine& engine, GameStart start)
{
    // The font comes first, before any part of the scene exists.
    auto fonts = std::make_unique<Quarnel::GameEngine2D::Video::FontManager>();
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont =
        fonts->Get(fonts->Create(start.DataFile(FontFile), FontSize, FontColor));
    CheckFontFile(panelFont->GetTtfFile(), panelFont->GetSize());

    auto game = std::make_shared<Game>(engine, std::move(fonts), std::move(panelFont), std::move(start));
    game->ShowWithPanel();
    return game;
}

Game::Game(Quarnel::GameEngine2D::Scene::IGameEngine& engine,
           std::unique_ptr<Quarnel::GameEngine2D::Video::FontManager> fonts,
           std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont, GameStart startWith) :
    Scene(SceneName, engine),
    start(std::move(startWith)),
    fontManager(std::move(fonts)),
    font(std::move(panelFont))
{
    GetCamera()->SetPosition(CameraPosition);
    GetCamera()->SetTarget(Origin);
    AddLight();
    solarSystem = std::make_shared<System::SolarSystem>("mySolarSystem", *this, start.dataPrefix);
    GetRoot()->AddChild(solarSystem);
    AddReferencePlanes();
    cameraControl = std::make_unique<Quarnel::GameEngine2D::Control::CameraControl>(
        &GetEventManager(), GetCamera(), std::nullopt, CameraSpeed, CameraUnusedFactor);
    SetBackgroundColor(Background);
    windowKeys = GetEventManager().AddInputHandler(
        std::nullopt, [this](bool /*inside*/, Quarnel::GameEngine2D::Input::EventType kind,
                             const Quarnel::GameEngine2D::Input::KeyState& keys,
                             Quarnel::Common::Point2D /*mouse*/) { OnWindowKey(kind, keys); });
}

Game::~Game() = default;

void Game::AddLight()
{
    const auto light = GetNodeFactory().CreateLightNode("light1", Origin);
    light->SetColors(
        std::make_shared<Quarnel::GameEngine2D::Video::Data::LightColors>(LightAmbient, LightDiffuse, LightSpecular));
    light->SetLightPosition({0.0f, 0.0f, 0.0f, 1.0f});
    light->SetConstantAttenuation(LightConstantAttenuation);
    light->SetLinearAttenuation(LightLinearAttenuation);
    GetRoot()->AddChild(light);
}

void Game::AddReferencePlanes()
{
    // One model read once; the other two planes draw the same mesh data, turned.
    const auto first = GetNodeFactory().CreateStaticMeshNode(start.DataFile(GroundFile), Origin);
    const auto second = GetNodeFactory().CreateStaticMeshNode("ground02", Origin, first->GetMesh());
    const auto third = GetNodeFactory().CreateStaticMeshNode("ground03", Origin, second->GetMesh());
    second->SetRotation(SecondPlaneRotation);
    third->SetRotation(ThirdPlaneRotation);
    for (const auto& plane : {first, second, third})
    {
        plane->SetScale(PlaneScale);
        // Drawn as a line strip through the grid's corners, seen from both sides.
        plane->SetTwoSided(true);
        plane->SetWireframe(true);
        GetRoot()->AddChild(plane);
    }
}

void Game::ShowWithPanel()
{
    // The 3D scene first: its grey becomes the clear colour of every frame.
    Show(false);

    auto panel = std::make_shared<Quarnel::GameEngine2D::Scene::Scene>(GetName() + "_gui", GetGameEngine());
    panel->GetCamera()->SetOrthographic(true);
    // The panel changes far less often than it is drawn; between changes it is shown as one finished picture.
    panel->SetCachedLayer(true);

    // The control panel down the right edge, drawn over the 3D picture.
    gui = std::make_shared<GameGUI>(*panel, font, solarSystem);
    panel->GetRoot()->AddChild(gui);
    shortcuts = std::make_unique<SimulationShortcuts>(GetEventManager(), GetWorld().GetClock(), gui->GetFrame());
    // The selected body's values, over the 3D view in its bottom-left corner; typing there is typing into the panel.
    inspector = std::make_shared<BodyEditor>(*panel, font, solarSystem, *gui);
    gui->AddChild(inspector);
    shortcuts->AddFrame(inspector->GetFrame());
    AddMotionTools();

    // Drawn after the 3D scene each frame; not shown, so the clear colour stays the game scene's.
    GetGameEngine().AddScene(panel);
    panelScene = std::move(panel);
    editor = std::make_unique<SystemEditor>(*this, *shortcuts);

    // The system named on the command line; one that cannot be used leaves the empty system with a warning.
    if (start.startFile)
        (void)editor->Load(*start.startFile, false);
}

void Game::OnWindowKey(Quarnel::GameEngine2D::Input::EventType kind, const Quarnel::GameEngine2D::Input::KeyState& keys)
{
    if (kind != Quarnel::GameEngine2D::Input::EventType::KeyDown)
        return;
    if (keys.at(FullscreenKey) != 0)
        SwitchFullscreen();
    if (keys.at(ScreenshotKey) != 0)
    {
        // The picture is taken once the frame is complete, panel included; the folder is read now.
        GetGameEngine().GetVideoEngine().CaptureFrame(
            [pictures = Screenshots(start.screenshotFolder)](SDL_Surface& picture) { pictures.Save(picture); });
    }
}

void Game::SwitchFullscreen()
{
    Quarnel::GameEngine2D::Video::Engine& video = GetGameEngine().GetVideoEngine();
    try
    {
        video.SetFullscreen(!video.IsFullscreen());
    }
    catch (const std::exception&)
    {
        // The window simply stays as it is; SetFullscreen has written the reason as a warning line.
    }
}

void Game::AddMotionTools()
{
    // Drawn after the bodies, so that the lines blend over them.
    trails = std::make_shared<TrailsNode>("trails", *solarSystem);
    GetRoot()->AddChild(trails);
    shortcuts->Bind(SDLK_t, [this] { trails->SetVisible(!trails->IsVisible()); });

    follow = std::make_unique<CameraFollow>(*GetCamera());
    shortcuts->Bind(SDLK_f, [this] { ToggleFollow(); });

    GameGUI& panel = *gui;
    launchDrag = std::make_unique<LaunchDrag>(
        GetEventManager(), *GetCamera(), GetGameEngine().GetVideoEngine(), *solarSystem,
        LaunchDrag::Actions{
            .nextMass = [&panel] { return panel.GetMassField().GetFloat(); },
            .launch = [&panel](Point3D where, Point3D velocity) { (void)panel.LaunchPlanet(where, velocity); },
            .overPanel = [this](Quarnel::Common::Point2D pointer) { return IsOverPanel(pointer); }});
    launchPreview = std::make_shared<LaunchPreviewNode>("launchPreview", *launchDrag);
    GetRoot()->AddChild(launchPreview);
    cameraControl->SetPanGuard([this] { return launchDrag->PanBlocked(); });
    escapeHandler = shortcuts->OnEscape().Subscribe([this] { launchDrag->Cancel(); });
    afterPhysics = OnAfterPhysics().Subscribe([this] { AfterPhysics(); });
}

void Game::ToggleFollow()
{
    if (follow->IsFollowing())
        follow->Release();
    else
        follow->Follow(SelectedBody());
}

std::shared_ptr<System::Sphere> Game::SelectedBody() const
{
    const std::vector<std::uint16_t>& selected = gui->GetSelectedIds();
    if (selected.empty())
        return nullptr;
    return std::dynamic_pointer_cast<System::Sphere>(solarSystem->FindItem(selected.front()));
}

bool Game::IsOverPanel(Quarnel::Common::Point2D pointer) const
{
    return shortcuts->IsOverPanel(pointer);
}

void Game::AfterPhysics()
{
    launchDrag->Update();
    // The camera follows the selected body: another selection is followed instead, no selection lets go.
    if (follow->IsFollowing())
    {
        const std::shared_ptr<System::Sphere> selected = SelectedBody();
        if (!selected)
            follow->Release();
        else if (selected != follow->GetFollowed())
            follow->Follow(selected);
    }
    follow->Update();
}

} // namespace Zandrel
