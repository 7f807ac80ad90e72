#pragma once

#include "Common/Subscription.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Zandrel
{

namespace System
{
class SolarSystem;
class Sphere;
} // namespace System

class GameGUI;
class GameGUIPoint3D;
class GuiDesigner;

// A small window over the 3D view, in its bottom-left corner above the "Alpha Version" note, that shows the body
// selected in the panel's list: its mass, size, position and velocity, brought up to date every frame while the
// body moves. A field the user has clicked into or typed into keeps what was typed. Enter in a field or
// "Übernehmen" gives the body the typed values (only those typed; the others stay exactly as they are) as one edit
// of the system. A value that is no number, or a mass or size below 0, is refused with a warning and changes nothing.
//
// The window shows only while a body is selected; it goes when the selection goes or the body is deleted.
class BodyEditor final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    static constexpr float Width = 200.0f;
    static constexpr float Height = 286.0f;

    // `panelScene` owns the inspector (through its tree) and outlives it, as does `panel`.
    BodyEditor(Quarnel::GameEngine2D::Scene::Scene& panelScene,
               std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont,
               std::shared_ptr<System::SolarSystem> system, GameGUI& panel);
    ~BodyEditor() override;

    // Follows the selection and the window's size, and shows the body's values as they are now.
    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

    // Gives the shown body the typed values, as one edit; false (with a warning) when a value is refused or no
    // body is shown. Nothing typed: nothing changes.
    bool Apply();

    [[nodiscard]] Quarnel::GameEngine2D::Widgets::Frame& GetFrame() const { return *frame; }
    [[nodiscard]] bool IsShown() const;
    // The fields in the order mass, size, position x, y, z, velocity x, y, z.
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetField(std::size_t index) const;
    // The line under the button: why the last values were refused, or empty.
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::Label& GetMessage() const { return *message; }

    static constexpr std::size_t MassField = 0;
    static constexpr std::size_t SizeField = 1;
    static constexpr std::size_t PositionField = 2;
    static constexpr std::size_t VelocityField = 5;
    static constexpr std::size_t FieldCount = 8;

private:
    void Build(float fieldHeight);
    void Show(const std::shared_ptr<System::Sphere>& body);
    void Hide();
    // Puts a value into a field unless the user is typing there; text is only set when what is shown changes.
    void ShowValue(std::size_t index, float value);
    void ForgetTyping();
    void Place(float windowHeight);
    // The typed value of a field, or the reason it is refused.
    [[nodiscard]] std::optional<float> ReadTyped(std::size_t index, std::string& refusal) const;

    Quarnel::GameEngine2D::Scene::Scene& scene;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font;
    std::shared_ptr<System::SolarSystem> solarSystem;
    GameGUI& gui;
    std::shared_ptr<GuiDesigner> designer;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Frame> frame;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Label> heading;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Label> message;
    std::unique_ptr<GameGUIPoint3D> positionEditor;
    std::unique_ptr<GameGUIPoint3D> velocityEditor;
    std::array<Quarnel::GameEngine2D::Widgets::NumberEdit*, FieldCount> fields{};
    // Fields whose text the user has changed since the body was shown or its values applied.
    std::array<bool, FieldCount> typed{};
    std::array<Quarnel::Common::Subscription, FieldCount> textChanges;
    std::array<Quarnel::Common::Subscription, FieldCount> enters;
    // Set while the inspector itself writes a field, so that its own writing is not taken for typing.
    bool showing = false;
    std::optional<std::uint16_t> shownId;
    float laidOutForHeight = 0.0f;
};

} // namespace Zandrel
