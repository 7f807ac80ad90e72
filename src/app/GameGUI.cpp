#include "app/GameGUI.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "Common/RandomNumber.h"
#include "Common/Rect.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Helper/InfoFrame.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "app/AccuracyMeter.h"
#include "app/GameGUIPoint3D.h"
#include "app/GuiDesigner.h"
#include "app/SimulationStatus.h"
#include "app/System/BodyMerger.h"
#include "app/System/CircularOrbit.h"
#include "app/System/Planet.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <stdexcept>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Helper;
using Quarnel::Common::Point3D;
using Quarnel::Common::RandomNumber;
using Quarnel::Common::Rect;
using Quarnel::GameEngine2D::Input::EventType;
using Quarnel::GameEngine2D::Input::Keys;
using Quarnel::GameEngine2D::Input::KeyState;
using Quarnel::GameEngine2D::Widgets::Checkbox;
using Quarnel::GameEngine2D::Widgets::Group;
using Quarnel::GameEngine2D::Widgets::NumberEdit;

// Horizontal place of the number fields, right of their captions.
constexpr float FieldColumn = 60.0f;
// Random positions lie in the cube from -40 to 40 on every axis.
constexpr std::uint32_t RandomPositionSpan = 80;
constexpr float RandomPositionOffset = 40.0f;
constexpr Color FooterColor{255, 255, 255, 200};
// The "Alpha Version" note stands this far from the left edge and above the bottom edge.
constexpr float FooterLeft = 2.0f;
constexpr float FooterRise = 16.0f;
// The rows between the creation buttons and the expert settings. The velocity editor repeats the position editor's
// 20-pixel rows; the rows are placed so that the pixel row 300 stays free of widgets, as it always was.
constexpr float VelocityCaptionY = 262.0f;
constexpr float CircularOrbitY = 346.0f;
constexpr float StateLineY = 378.0f;
constexpr float TimeLineY = 396.0f;
constexpr float ButtonColumn = 6.0f;
// "Entfernen" right of the "Kreisbahn" box, "Laden" right of "Experteneinstellung:".
constexpr float DeleteButtonX = 110.0f;
constexpr float DeleteButtonY = 346.0f;
constexpr float LoadButtonX = 150.0f;
constexpr float LoadButtonY = 430.0f;
// "Verschmelzen" in the gap between the time line and "Experteneinstellung:".
constexpr float MergeBoxY = 413.0f;
// The statistics overlay is switched by F3, which types no character.
constexpr auto InfoFrameKey = static_cast<std::size_t>(Keys::F3);

// The second line of a body's list entry.
std::string MassLine(std::uint16_t id, float mass)
{
    return "Objekt " + std::to_string(id) + " | Masse " + Helper::FloatToString(mass);
}

// The panel's name, once what it is built from has been checked: a refused panel logs no "new Node: " line.
const char* PanelName(const std::shared_ptr<Quarnel::GameEngine2D::Video::Font>& font,
                      const std::shared_ptr<System::SolarSystem>& system)
{
    Helper::CheckNull(font, "font");
    Helper::CheckNull(system, "solarSystem");
    return "gui";
}

} // namespace

GameGUI::GameGUI(Quarnel::GameEngine2D::Scene::Scene& panelScene,
                 std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont,
                 std::shared_ptr<System::SolarSystem> system) :
    EmptyNode(PanelName(panelFont, system), Point3D(), Point3D()),
    guiScene(panelScene),
    font(std::move(panelFont)),
    solarSystem(std::move(system))
{
    const Quarnel::Common::Point2D screen = guiScene.GetGameEngine().GetVideoEngine().GetScreenSize();
    builtFor = screen;
    laidOutFor = screen;
    const Point3D windowSize(screen);
    designer = std::make_shared<GuiDesigner>(guiScene, panelWidth);
    // The frame's callback shares the designer, so the look outlives the panel as long as the frame does.
    auto look = designer;
    frame = std::make_shared<Quarnel::GameEngine2D::Widgets::Frame>(
        "main", Rect(Point3D(windowSize.X() - panelWidth, 0.0f, 0.0f), Point3D(panelWidth, windowSize.Y(), 0.0f)),
        guiScene, font,
        [look](Quarnel::GameEngine2D::Widgets::WidgetType type, Quarnel::GameEngine2D::Widgets::WidgetNodeType role,
               Quarnel::GameEngine2D::Widgets::Control& control) {
            return look->CreateWidgetNode(control, role, type);
        });

    Group& group = *frame->GetMainGroup();
    group.AddLabel("Neues Objekt", Point3D(0.0f, 16.0f, 0.0f), "laAddObject");
    // The heading's height is the height of every number field.
    const float fieldHeight = group.GetControl("laAddObject")->GetSize().value_or(Point3D()).Y();
    BuildCreationRows(fieldHeight);
    BuildMotionRows(fieldHeight);
    BuildExpertRows();
    BuildEditButtons();
    AddChild(frame);
    BuildObjectList();
    BuildFooter(windowSize);
    BuildInfoFrame();
}

GameGUI::~GameGUI() = default;

void GameGUI::BuildCreationRows(float fieldHeight)
{
    Group& group = *frame->GetMainGroup();
    const Point3D fieldSize(panelWidth - FieldColumn, fieldHeight, 0.0f);
    group.AddLabel("Masse:", Point3D(0.0f, 46.0f, 0.0f));
    massField =
        std::make_shared<NumberEdit>(*frame, "neMass", Rect(Point3D(FieldColumn, 46.0f, 0.0f), fieldSize), "50");
    group.AddControl(massField);
    group.AddLabel("Größe:", Point3D(0.0f, 76.0f, 0.0f));
    sizeField =
        std::make_shared<NumberEdit>(*frame, "neSize", Rect(Point3D(FieldColumn, 76.0f, 0.0f), fieldSize), "50");
    group.AddControl(sizeField);
    group.AddLabel("Position:", Point3D(0.0f, 106.0f, 0.0f));
    positionEditor = std::make_unique<GameGUIPoint3D>(*frame, panelWidth, fieldHeight, Point3D(FieldColumn, 0.0f, 0.0f),
                                                      Point3D(0.0f, 106.0f, 0.0f), "position");

    // The widgets belong to the panel, so their callbacks may call it.
    auto call = [this](void (GameGUI::*action)()) { return [this, action] { (this->*action)(); }; };
    group.AddButton("Planet", Point3D(6.0f, 206.0f, 0.0f), call(&GameGUI::AddPlanetFromFields), "btnAddPlanet")
        .AddButton("Zufälliger Planet", Point3D(86.0f, 206.0f, 0.0f), call(&GameGUI::AddRandomPlanet),
                   "btnAddRandomPlanet")
        .AddButton("Sonne", Point3D(6.0f, 232.0f, 0.0f), call(&GameGUI::AddSunFromFields), "btnAddSun")
        .AddButton("Zufällige Sonne", Point3D(86.0f, 232.0f, 0.0f), call(&GameGUI::AddRandomSun), "btnAddRandomSun");
}

void GameGUI::BuildMotionRows(float fieldHeight)
{
    Group& group = *frame->GetMainGroup();
    group.AddLabel("Geschwindigkeit:", Point3D(0.0f, VelocityCaptionY, 0.0f));
    velocityEditor = std::make_unique<GameGUIPoint3D>(*frame, panelWidth, fieldHeight, Point3D(FieldColumn, 0.0f, 0.0f),
                                                      Point3D(0.0f, VelocityCaptionY, 0.0f), "velocity");
    circularOrbitBox = group.AddCheckbox(
        {.name = "chCircularOrbit", .text = "Kreisbahn", .place = Point3D(ButtonColumn, CircularOrbitY, 0.0f)});

    group.AddLabel("Pause", Point3D(ButtonColumn, StateLineY, 0.0f), "laSimulationState");
    group.AddLabel(SimulationStatus::TimeText(0.0), Point3D(ButtonColumn, TimeLineY, 0.0f), "laSimulationTime");
    auto textOf = [&group](const char* labelName) {
        return std::dynamic_pointer_cast<Quarnel::GameEngine2D::Widgets::Label>(group.GetControl(labelName))
            ->GetTextNode();
    };
    status = std::make_unique<SimulationStatus>(solarSystem->GetScene().GetWorld().GetClock(),
                                                textOf("laSimulationState"), textOf("laSimulationTime"));
}

void GameGUI::BuildExpertRows()
{
    Group& group = *frame->GetMainGroup();
    group.AddLabel("Experteneinstellung:", Point3D(6.0f, 432.0f, 0.0f));
    gravityBox = group.AddCheckbox({.name = "chGravityMode",
                                    .text = "'echte' Gravitation an/aus",
                                    .place = Point3D(6.0f, 452.0f, 0.0f),
                                    .decide = [this](Checkbox& /*box*/, bool requested) {
                                        SetRealGravity(requested);
                                        return requested;
                                    }});
    mergeBox = group.AddCheckbox({.name = "chMerge",
                                  .text = "Verschmelzen",
                                  .place = Point3D(ButtonColumn, MergeBoxY, 0.0f),
                                  .decide = [this](Checkbox& /*box*/, bool requested) {
                                      solarSystem->SetMerging(requested);
                                      return requested;
                                  }});
    merged = solarSystem->GetMerger().OnMerged().Subscribe(
        [this](std::uint16_t kept, std::uint16_t taken) { ShowMerge(kept, taken); });
}

void GameGUI::BuildEditButtons()
{
    // In the free space right of "Kreisbahn" and of "Experteneinstellung:".
    Group& group = *frame->GetMainGroup();
    group.AddButton(
        "Entfernen", Point3D(DeleteButtonX, DeleteButtonY, 0.0f),
        [this] {
            if (deleteAction)
                deleteAction();
        },
        "btnDelete");
    group.AddButton(
        "Laden", Point3D(LoadButtonX, LoadButtonY, 0.0f),
        [this] {
            if (loadAction)
                loadAction();
        },
        "btnLoad");
}

void GameGUI::SetEditActions(std::function<void()> onDelete, std::function<void()> onLoad)
{
    deleteAction = std::move(onDelete);
    loadAction = std::move(onLoad);
}

std::optional<std::uint16_t> GameGUI::GetSelectedBody() const
{
    if (selectedIds.empty())
        return std::nullopt;
    return selectedIds.front();
}

void GameGUI::ForgetBody(std::uint16_t id)
{
    std::erase(selectedIds, id);
    if (hoveredId == id)
        hoveredId.reset();
    (void)objectList->RemoveOptions({id});
}

void GameGUI::ForgetBodies()
{
    std::vector<std::uint16_t> ids;
    for (const auto& item : objectList->GetItems())
        ids.push_back(static_cast<std::uint16_t>(item->GetValue()));
    selectedIds.clear();
    hoveredId.reset();
    (void)objectList->RemoveOptions(ids);
}

void GameGUI::ShowLaw(bool inverseSquare)
{
    gravityBox->SetChecked(inverseSquare);
}

void GameGUI::ShowMerging(bool on)
{
    mergeBox->SetChecked(on);
}

void GameGUI::ShowMerge(std::uint16_t kept, std::uint16_t taken)
{
    const bool takenSelected = std::ranges::find(selectedIds, taken) != selectedIds.end();
    ForgetBody(taken);
    const auto body = solarSystem->FindItem(kept);
    if (!body)
        return;
    ShowMass(kept, body->GetMass());
    if (!takenSelected)
        return;
    for (const auto& item : objectList->GetItems())
    {
        if (item->GetValue() == kept && !item->IsChecked())
            item->Request(true);
    }
}

void GameGUI::BuildObjectList()
{
    Group& group = *frame->GetMainGroup();
    objectList = group.AddList(
        {.name = "liObjects",
         .title = "Objekte",
         .rect = Rect(Point3D(2.0f, 480.0f, 0.0f), Point3D(190.0f, 280.0f, 0.0f)),
         .onChange = [this](const std::vector<std::uint16_t>& selection) { OnSelectionChanged(selection); }});
    itemHover =
        objectList->OnItemHover().Subscribe([this](std::uint16_t id, bool hovered) { OnItemHover(id, hovered); });
}

void GameGUI::BuildFooter(Point3D windowSize)
{
    auto note = guiScene.GetNodeFactory().CreateTextNode(
        "testInfo", Point3D(FooterLeft, windowSize.Y() - FooterRise, 2.0f), font, "Alpha Version, siehe info.txt");
    note->SetColor(FooterColor);
    AddChild(note);
    footer = std::move(note);
}

void GameGUI::BuildInfoFrame()
{
    // The overlay keeps counting frames while hidden, so it shows numbers at most a second old when switched on.
    infoFrame = std::make_shared<Quarnel::GameEngine2D::Helper::InfoFrame>(guiScene, font, Point3D(10.0f, 10.0f, 3.0f));
    infoFrame->SetVisible(false);
    AddChild(infoFrame);
    accuracyMeter = std::make_shared<AccuracyMeter>(*infoFrame, guiScene, font, *solarSystem);
    infoFrame->AddChild(accuracyMeter);

    Quarnel::GameEngine2D::Input::EventManager& input = guiScene.GetGameEngine().GetEventManager();
    keyHandler = input.AddInputHandler(std::nullopt, [this](bool /*inside*/, EventType kind, const KeyState& keys,
                                                            Quarnel::Common::Point2D /*mouse*/) { OnKey(kind, keys); });
}

void GameGUI::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    EmptyNode::UpdateNode(gameEngine);
    const Quarnel::Common::Point2D screen = gameEngine.GetVideoEngine().GetScreenSize();
    if (screen.x != laidOutFor.x || screen.y != laidOutFor.y)
        FollowWindow(screen);
    status->Refresh(guiScene.GetAnimationManager().GetTime());
}

void GameGUI::FollowWindow(Quarnel::Common::Point2D screen)
{
    laidOutFor = screen;
    frame->SetArea(Rect(Point3D(screen.x - panelWidth, 0.0f, 0.0f), Point3D(panelWidth, screen.y, 0.0f)));
    // The controls keep their places in the column; their input areas follow the frame from the next frame on.
    if (const auto background = frame->GetMainGroup()->GetBackgroundNode())
        GuiDesigner::StretchFrame(*background, builtFor.y, screen.y);
    footer->SetPosition(Point3D(FooterLeft, screen.y - FooterRise, footer->GetPosition().Z()));
}

void GameGUI::DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& /*gameEngine*/)
{
    keyHandler.Reset();
}

void GameGUI::OnKey(EventType kind, const KeyState& keys)
{
    if (kind != EventType::KeyDown || keys.at(InfoFrameKey) == 0)
        return;
    infoFrame->SetVisible(!infoFrame->IsVisible());
    // The meter's lines are left alone while the overlay is hidden.
    if (infoFrame->IsVisible())
        accuracyMeter->Refresh();
}

void GameGUI::AddPlanetFromFields()
{
    const Point3D where = positionEditor->GetPoint();
    const float mass = massField->GetFloat();
    const float bodySize = sizeField->GetFloat();
    const Point3D velocity = StartVelocity(where, mass, true);
    const auto planet = solarSystem->AddPlanet("Planet", where, mass, bodySize);
    planet->SetVelocity(velocity);
    AddListEntry(planet->GetName(), planet->GetId(), mass);
    LogPlanet(where, mass, bodySize);
}

std::shared_ptr<System::Planet> GameGUI::LaunchPlanet(Point3D where, Point3D velocity)
{
    const float mass = massField->GetFloat();
    const float bodySize = sizeField->GetFloat();
    const auto planet = solarSystem->AddPlanet("Planet", where, mass, bodySize);
    planet->SetVelocity(velocity);
    AddListEntry(planet->GetName(), planet->GetId(), mass);
    LogPlanet(where, mass, bodySize);
    return planet;
}

void GameGUI::AddRandomPlanet()
{
    const auto value = static_cast<float>(RandomNumber::Get(1, 200));
    const Point3D where = RandomPosition();
    const Point3D velocity = StartVelocity(where, value, false);
    const auto planet = solarSystem->AddPlanet("Planet", where, value, value);
    planet->SetVelocity(velocity);
    AddListEntry(planet->GetName(), planet->GetId(), value);
    LogPlanet(where, value, value);
}

void GameGUI::AddSunFromFields()
{
    const float mass = massField->GetFloat();
    const Point3D where = positionEditor->GetPoint();
    const Point3D velocity = StartVelocity(where, mass, true);
    const auto sun = solarSystem->AddSun("Sonne", where, mass, sizeField->GetFloat());
    sun->SetVelocity(velocity);
    AddListEntry(sun->GetName(), sun->GetId(), mass);
}

void GameGUI::AddRandomSun()
{
    // The size is drawn before the mass.
    const auto bodySize = static_cast<float>(RandomNumber::Get(300, 500));
    const auto mass = static_cast<float>(RandomNumber::Get(1000, 50000));
    const Point3D where = RandomPosition();
    const Point3D velocity = StartVelocity(where, mass, false);
    const auto sun = solarSystem->AddSun("Sonne", where, mass, bodySize);
    sun->SetVelocity(velocity);
    AddListEntry(sun->GetName(), sun->GetId(), mass);
}

void GameGUI::SetRealGravity(bool on)
{
    solarSystem->SetInverseSquareLaw(on);
}

void GameGUI::OnSelectionChanged(const std::vector<std::uint16_t>& selection)
{
    std::vector<std::uint16_t> previous = std::move(selectedIds);
    selectedIds = selection;
    for (const std::uint16_t id : previous)
        RefreshHighlight(id);
    for (const std::uint16_t id : selectedIds)
        RefreshHighlight(id);
}

void GameGUI::OnItemHover(std::uint16_t id, bool hovered)
{
    if (hovered)
    {
        const std::optional<std::uint16_t> left = hoveredId;
        hoveredId = id;
        if (left && *left != id)
            RefreshHighlight(*left);
    }
    else if (hoveredId == id)
    {
        hoveredId.reset();
    }
    RefreshHighlight(id);
}

void GameGUI::RefreshHighlight(std::uint16_t id)
{
    const auto sphere = std::dynamic_pointer_cast<System::Sphere>(solarSystem->FindItem(id));
    if (!sphere)
        return;
    const bool selected = std::ranges::find(selectedIds, id) != selectedIds.end();
    sphere->SetHighlight(selected || hoveredId == id);
}

Point3D GameGUI::StartVelocity(Point3D where, float mass, bool fromFields) const
{
    if (circularOrbitBox->IsChecked())
    {
        // The primary is chosen before the new body exists, so it is never the body itself.
        const std::optional<std::uint16_t> selected =
            selectedIds.empty() ? std::nullopt : std::optional<std::uint16_t>(selectedIds.front());
        if (const auto primary = System::CircularOrbit::PickPrimary(*solarSystem, selected))
            return System::CircularOrbit::Velocity(*solarSystem, *primary, where, mass);
    }
    return fromFields ? velocityEditor->GetPoint() : Point3D(0.0f, 0.0f, 0.0f);
}

void GameGUI::AddListEntry(const std::string& bodyName, std::uint16_t id, float mass)
{
    Quarnel::GameEngine2D::Scene::NodeFactory& factory = guiScene.GetNodeFactory();
    const float fieldHeight = massField->GetSize().value_or(Point3D()).Y();
    auto entry = factory.CreateEmptyNode(bodyName + "_li", Point3D(),
                                         Point3D(panelWidth - 16.0f, 2.0f * fieldHeight + 8.0f, 0.0f));
    entry->AddChild(factory.CreateTextNode(bodyName, Point3D(0.0f, 2.0f, 0.0f), font, bodyName));
    entry->AddChild(
        factory.CreateTextNode(bodyName, Point3D(0.0f, fieldHeight + 6.0f, 0.0f), font, MassLine(id, mass)));
    objectList->AddOption(entry, id, false);
}

void GameGUI::ShowMass(std::uint16_t id, float mass)
{
    for (const auto& item : objectList->GetItems())
    {
        const std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> entry = item->GetContent();
        if (item->GetValue() != id || !entry || entry->GetChildCount() < 2)
            continue;
        // The entry's second line, as AddListEntry wrote it.
        if (const auto line = std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(entry->GetChild(1)))
            line->SetText(MassLine(id, mass));
    }
}

void GameGUI::LogPlanet(Point3D where, float mass, float bodySize)
{
    Quarnel::Common::MyLog::Info("Planet created at: " + where.ToString() + " mass: " + Helper::FloatToString(mass) +
                                 " size: " + Helper::FloatToString(bodySize));
}

Point3D GameGUI::RandomPosition()
{
    // Drawn as unsigned values from 0 to 80 and shifted in float, so that the lower half becomes negative.
    const auto x = static_cast<float>(RandomNumber::Get(0, RandomPositionSpan)) - RandomPositionOffset;
    const auto y = static_cast<float>(RandomNumber::Get(0, RandomPositionSpan)) - RandomPositionOffset;
    const auto z = static_cast<float>(RandomNumber::Get(0, RandomPositionSpan)) - RandomPositionOffset;
    return {x, y, z};
}

} // namespace Zandrel
