#pragma once

#include "Common/Point3D.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Helper/Forward.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Zandrel
{

namespace System
{
class Planet;
class SolarSystem;
} // namespace System

class AccuracyMeter;
class GameGUIPoint3D;
class GuiDesigner;
class SimulationStatus;

// The control panel: a column of widgets along the right edge of the window with which the user creates
// planets and suns from typed or random values (with a typed start velocity, or on a circular orbit around the
// selected or heaviest body), sees the state of simulated time, switches the gravity law, and picks bodies from a
// paged list to highlight them. Below the panel's column, in the bottom-left corner, stands the "Alpha Version" note,
// and a statistics overlay (hidden until F3) sits in the top-left corner.
//
// The panel is a node of the flat panel scene. It observes the panel scene (which owns it) and shares the solar
// system with the game scene; its widgets and handlers are its own and go with it.
class GameGUI final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    // Width of the panel's column in pixels.
    static constexpr float PanelWidth = 200.0f;

    // A null font or solar system: std::invalid_argument "font is null" / "solarSystem is null".
    GameGUI(Quarnel::GameEngine2D::Scene::Scene& panelScene,
            std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont, std::shared_ptr<System::SolarSystem> system);
    ~GameGUI() override;

    // Lays the panel out again when the window has changed its size (the column stays at the right edge at full
    // height, the note at the bottom) and brings the lines about simulated time up to date.
    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;
    // Drops the F3 handler from the engine's input dispatcher.
    void DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

    [[nodiscard]] Quarnel::GameEngine2D::Widgets::Frame& GetFrame() const { return *frame; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::List& GetObjectList() const { return *objectList; }
    [[nodiscard]] GameGUIPoint3D& GetPositionEditor() const { return *positionEditor; }
    // The start velocity of "Planet" and "Sonne", in scene units per simulated second.
    [[nodiscard]] GameGUIPoint3D& GetVelocityEditor() const { return *velocityEditor; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::Checkbox& GetCircularOrbitBox() const { return *circularOrbitBox; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetMassField() const { return *massField; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetSizeField() const { return *sizeField; }
    // The statistics overlay, hidden until F3.
    [[nodiscard]] Quarnel::GameEngine2D::Helper::InfoFrame& GetInfoFrame() const { return *infoFrame; }
    // The overlay's lines about simulated time and the drift of energy and momentum.
    [[nodiscard]] AccuracyMeter& GetAccuracyMeter() const { return *accuracyMeter; }
    // The identifiers of the bodies selected in the list, in the order the list reported them.
    [[nodiscard]] const std::vector<std::uint16_t>& GetSelectedIds() const { return selectedIds; }
    // A planet with the mass and size of the fields at `where`, moving at `velocity` (a launch by dragging); it gets
    // its list entry and its log line like one from the "Planet" button.
    std::shared_ptr<System::Planet> LaunchPlanet(Quarnel::Common::Point3D where, Quarnel::Common::Point3D velocity);

    // What "Entfernen" and "Laden" do; they do nothing until set.
    void SetEditActions(std::function<void()> onDelete, std::function<void()> onLoad);
    // The first body selected in the list, if any.
    [[nodiscard]] std::optional<std::uint16_t> GetSelectedBody() const;
    // The list entry of a new body: "Objekt " + id + " | Masse " + mass below the body's name.
    void AddListEntry(const std::string& bodyName, std::uint16_t id, float mass);
    // Shows a new mass in the body's list entry.
    void ShowMass(std::uint16_t id, float mass);
    // Takes the body's entry out of the list and out of the selection and hover.
    void ForgetBody(std::uint16_t id);
    // Empties the list, the selection and the hover.
    void ForgetBodies();
    // Ticks the law's check box to show the inverse-square law, or unticks it, without switching anything.
    void ShowLaw(bool inverseSquare);
    // Ticks or unticks "Verschmelzen" without switching anything.
    void ShowMerging(bool on);
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::Checkbox& GetMergeBox() const { return *mergeBox; }

private:
    void BuildCreationRows(float fieldHeight);
    void BuildMotionRows(float fieldHeight);
    void BuildExpertRows();
    void BuildEditButtons();
    void BuildObjectList();
    void BuildFooter(Quarnel::Common::Point3D windowSize);
    void BuildInfoFrame();
    void FollowWindow(Quarnel::Common::Point2D screen);

    // The button callbacks.
    void AddPlanetFromFields();
    void AddRandomPlanet();
    void AddSunFromFields();
    void AddRandomSun();
    // Ticked selects the inverse-square law, unticked the distance-independent pull.
    void SetRealGravity(bool on);
    void OnSelectionChanged(const std::vector<std::uint16_t>& selection);
    void OnItemHover(std::uint16_t id, bool hovered);
    // A body is lit while its entry is selected or under the pointer.
    void RefreshHighlight(std::uint16_t id);
    void OnKey(Quarnel::GameEngine2D::Input::EventType kind, const Quarnel::GameEngine2D::Input::KeyState& keys);
    // `taken` has merged into `kept`: its entry goes, the kept entry shows the new mass, and a selection of the
    // taken body passes to the kept one.
    void ShowMerge(std::uint16_t kept, std::uint16_t taken);

    // The start velocity of a new body at `where`: on a circular orbit while "Kreisbahn" is ticked, otherwise the
    // typed one for bodies from the fields and none for random ones.
    [[nodiscard]] Quarnel::Common::Point3D StartVelocity(Quarnel::Common::Point3D where, float mass,
                                                         bool fromFields) const;
    void LogPlanet(Quarnel::Common::Point3D where, float mass, float bodySize);
    [[nodiscard]] static Quarnel::Common::Point3D RandomPosition();

    Quarnel::GameEngine2D::Scene::Scene& guiScene;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font;
    std::shared_ptr<System::SolarSystem> solarSystem;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Frame> frame;
    std::unique_ptr<GameGUIPoint3D> positionEditor;
    std::unique_ptr<GameGUIPoint3D> velocityEditor;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Checkbox> circularOrbitBox;
    std::unique_ptr<SimulationStatus> status;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::NumberEdit> massField;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::NumberEdit> sizeField;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::List> objectList;
    float panelWidth = PanelWidth;
    std::shared_ptr<GuiDesigner> designer;
    std::shared_ptr<Quarnel::GameEngine2D::Helper::InfoFrame> infoFrame;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> footer;
    // The window size the panel was built for, and the one it is laid out for now.
    Quarnel::Common::Point2D builtFor;
    Quarnel::Common::Point2D laidOutFor;
    std::shared_ptr<AccuracyMeter> accuracyMeter;
    Quarnel::GameEngine2D::Input::InputSubscription keyHandler;
    Quarnel::Common::Subscription itemHover;
    std::vector<std::uint16_t> selectedIds;
    std::optional<std::uint16_t> hoveredId;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Checkbox> gravityBox;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Checkbox> mergeBox;
    Quarnel::Common::Subscription merged;
    std::function<void()> deleteAction;
    std::function<void()> loadAction;
};

} // namespace Zandrel
