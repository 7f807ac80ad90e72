#include "app/BodyEditor.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "app/GameGUI.h"
#include "app/GameGUIPoint3D.h"
#include "app/GuiDesigner.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::Common::Rect;
using Quarnel::GameEngine2D::Widgets::Group;
using Quarnel::GameEngine2D::Widgets::Label;
using Quarnel::GameEngine2D::Widgets::NumberEdit;

constexpr float FieldColumn = 60.0f;
constexpr float HeadingY = 4.0f;
constexpr float MassY = 26.0f;
constexpr float SizeY = 46.0f;
constexpr float PositionY = 68.0f;
constexpr float VelocityY = 150.0f;
constexpr float ButtonY = 236.0f;
constexpr float MessageY = 264.0f;
// Left of the window's edge, and above the "Alpha Version" note at the bottom (16 pixels high).
constexpr float Margin = 8.0f;
constexpr float NoteHeight = 16.0f;
// Six significant digits: enough to read a value, and a moving body changes the shown text less often.
constexpr int ShownDigits = 6;

constexpr std::array<const char*, BodyEditor::FieldCount> FieldNames{"Masse",
                                                                     "Größe",
                                                                     "Position X",
                                                                     "Position Y",
                                                                     "Position Z",
                                                                     "Geschwindigkeit X",
                                                                     "Geschwindigkeit Y",
                                                                     "Geschwindigkeit Z"};

std::string Heading(const System::Sphere& body)
{
    return "Objekt " + std::to_string(body.GetId()) + ": " + body.GetName();
}

// What the fields show, in their order.
std::array<float, BodyEditor::FieldCount> ValuesOf(const System::Sphere& body)
{
    const Point3D place = body.GetPosition();
    const Point3D speed = body.GetVelocity();
    return {body.GetMass(), body.GetBodySize(), place.X(), place.Y(), place.Z(), speed.X(), speed.Y(), speed.Z()};
}

} // namespace

BodyEditor::BodyEditor(Quarnel::GameEngine2D::Scene::Scene& panelScene,
                       std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont,
                       std::shared_ptr<System::SolarSystem> system, GameGUI& panel) :
    EmptyNode("inspector", Point3D(), Point3D()),
    scene(panelScene),
    font(std::move(panelFont)),
    solarSystem(std::move(system)),
    gui(panel),
    designer(std::make_shared<GuiDesigner>(panelScene, Width))
{
    const float windowHeight = scene.GetGameEngine().GetVideoEngine().GetScreenSize().y;
    auto look = designer;
    frame = std::make_shared<Quarnel::GameEngine2D::Widgets::Frame>(
        "inspectorFrame", Rect(Point3D(Margin, 0.0f, 0.0f), Point3D(Width, Height, 0.0f)), scene, font,
        [look](Quarnel::GameEngine2D::Widgets::WidgetType type, Quarnel::GameEngine2D::Widgets::WidgetNodeType role,
               Quarnel::GameEngine2D::Widgets::Control& control) {
            return look->CreateWidgetNode(control, role, type);
        });
    Group& group = *frame->GetMainGroup();
    group.AddLabel("Objekt", Point3D(0.0f, HeadingY, 0.0f), "laInspectHeading");
    heading = std::dynamic_pointer_cast<Label>(group.GetControl("laInspectHeading"));
    Build(heading->GetSize().value_or(Point3D()).Y());
    Place(windowHeight);
    // Shown once a body is selected.
    frame->SetVisible(false);
    AddChild(frame);
}

BodyEditor::~BodyEditor() = default;

void BodyEditor::Build(float fieldHeight)
{
    Group& group = *frame->GetMainGroup();
    const Point3D fieldSize(Width - FieldColumn, fieldHeight, 0.0f);
    group.AddLabel("Masse:", Point3D(0.0f, MassY, 0.0f), "laInspectMass");
    group.AddNumberEdit("neInspectMass", Rect(Point3D(FieldColumn, MassY, 0.0f), fieldSize), "0");
    group.AddLabel("Größe:", Point3D(0.0f, SizeY, 0.0f), "laInspectSize");
    group.AddNumberEdit("neInspectSize", Rect(Point3D(FieldColumn, SizeY, 0.0f), fieldSize), "0");
    group.AddLabel("Position:", Point3D(0.0f, PositionY, 0.0f), "laInspectPosition");
    positionEditor = std::make_unique<GameGUIPoint3D>(*frame, Width, fieldHeight, Point3D(FieldColumn, 0.0f, 0.0f),
                                                      Point3D(0.0f, PositionY, 0.0f), "inspectPosition");
    group.AddLabel("Geschwindigkeit:", Point3D(0.0f, VelocityY, 0.0f), "laInspectVelocity");
    velocityEditor = std::make_unique<GameGUIPoint3D>(*frame, Width, fieldHeight, Point3D(FieldColumn, 0.0f, 0.0f),
                                                      Point3D(0.0f, VelocityY, 0.0f), "inspectVelocity");
    group.AddButton(
        "Übernehmen", Point3D(6.0f, ButtonY, 0.0f), [this] { (void)Apply(); }, "btnInspectApply");
    group.AddLabel("", Point3D(0.0f, MessageY, 0.0f), "laInspectMessage");
    message = std::dynamic_pointer_cast<Label>(group.GetControl("laInspectMessage"));

    fields = {dynamic_cast<NumberEdit*>(group.GetControl("neInspectMass").get()),
              dynamic_cast<NumberEdit*>(group.GetControl("neInspectSize").get()),
              &positionEditor->GetXField(),
              &positionEditor->GetYField(),
              &positionEditor->GetZField(),
              &velocityEditor->GetXField(),
              &velocityEditor->GetYField(),
              &velocityEditor->GetZField()};
    for (std::size_t index = 0; index < FieldCount; ++index)
    {
        NumberEdit& field = *fields.at(index);
        // Masses and sizes below 0 are refused when applied, with a reason, rather than made untypable.
        field.SetSignedDecimal(true);
        textChanges.at(index) = field.OnTextChanged().Subscribe([this, index] {
            if (!showing)
                typed.at(index) = true;
        });
        enters.at(index) = field.OnEnter().Subscribe([this] { (void)Apply(); });
    }
}

void BodyEditor::Place(float windowHeight)
{
    laidOutForHeight = windowHeight;
    const float top = std::max(Margin, windowHeight - NoteHeight - Height - Margin);
    frame->SetArea(Rect(Point3D(Margin, top, 0.0f), Point3D(Width, Height, 0.0f)));
}

bool BodyEditor::IsShown() const
{
    return frame->IsVisible();
}

NumberEdit& BodyEditor::GetField(std::size_t index) const
{
    return *fields.at(index);
}

void BodyEditor::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    EmptyNode::UpdateNode(gameEngine);
    const float windowHeight = gameEngine.GetVideoEngine().GetScreenSize().y;
    if (windowHeight != laidOutForHeight)
        Place(windowHeight);
    const std::optional<std::uint16_t> selected = gui.GetSelectedBody();
    std::shared_ptr<System::Sphere> body;
    if (selected)
        body = std::dynamic_pointer_cast<System::Sphere>(solarSystem->FindItem(*selected));
    if (body)
        Show(body);
    else
        Hide();
}

void BodyEditor::Show(const std::shared_ptr<System::Sphere>& body)
{
    if (shownId != body->GetId() || !frame->IsVisible())
    {
        // Another body: what was typed for the one before is dropped.
        ForgetTyping();
        frame->GetMainGroup()->SetFocused(false);
        shownId = body->GetId();
        heading->GetTextNode()->SetText(Heading(*body));
        message->SetVisible(false);
        frame->SetVisible(true);
    }
    const std::array<float, FieldCount> values = ValuesOf(*body);
    for (std::size_t index = 0; index < FieldCount; ++index)
        ShowValue(index, values.at(index));
}

void BodyEditor::Hide()
{
    if (!frame->IsVisible())
        return;
    // Hiding also takes the focus from the fields.
    frame->SetVisible(false);
    shownId.reset();
    ForgetTyping();
}

void BodyEditor::ShowValue(std::size_t index, float value)
{
    NumberEdit& field = *fields.at(index);
    if (typed.at(index) || field.IsFocused())
        return;
    // Formatted on the stack and compared with what is shown: a body at rest costs no allocation and no new text.
    std::array<char, 32> text{};
    const float shown = value == 0.0f ? 0.0f : value;
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), shown, std::chars_format::general, ShownDigits);
    const std::string_view formatted(text.data(), written.ec == std::errc() ? written.ptr - text.data() : 0);
    if (formatted == std::string_view(field.GetTextNode()->GetText()))
        return;
    showing = true;
    field.SetText(std::string(formatted));
    showing = false;
}

void BodyEditor::ForgetTyping()
{
    typed.fill(false);
}

std::optional<float> BodyEditor::ReadTyped(std::size_t index, std::string& refusal) const
{
    const std::string& text = fields.at(index)->GetTextNode()->GetText();
    const std::optional<float> value = Quarnel::Common::Helper::ParseFloat(text);
    if (!value)
        refusal = "ist keine Zahl";
    else if (!std::isfinite(*value))
        refusal = "ist keine endliche Zahl";
    else if (index < PositionField && *value < 0.0f)
        refusal = "ist kleiner als 0";
    else if (index < PositionField)
        return *value + 0.0f; // "-0" is a mass or size of 0, not of minus 0
    else
        return value;
    return std::nullopt;
}

bool BodyEditor::Apply()
{
    if (!shownId)
        return false;
    const auto body = std::dynamic_pointer_cast<System::Sphere>(solarSystem->FindItem(*shownId));
    if (!body)
        return false;
    if (std::ranges::none_of(typed, [](bool edited) { return edited; }))
    {
        frame->GetMainGroup()->SetFocused(false);
        return true;
    }

    std::array<float, BodyEditor::FieldCount> values = ValuesOf(*body);
    for (std::size_t index = 0; index < FieldCount; ++index)
    {
        if (!typed.at(index))
            continue;
        std::string refusal;
        const std::optional<float> value = ReadTyped(index, refusal);
        if (!value)
        {
            const std::string& text = fields.at(index)->GetTextNode()->GetText();
            Quarnel::Common::MyLog::Warning("Werte nicht übernommen: " + std::string(FieldNames.at(index)) + " \"" +
                                            text + "\" " + refusal);
            message->GetTextNode()->SetText(std::string(FieldNames.at(index)) + " " + refusal);
            message->SetVisible(true);
            return false;
        }
        values.at(index) = *value;
    }

    System::SolarSystem::BodyChange change;
    if (typed.at(MassField))
        change.mass = values.at(MassField);
    if (typed.at(SizeField))
        change.size = values.at(SizeField);
    if (typed.at(PositionField) || typed.at(PositionField + 1) || typed.at(PositionField + 2))
        change.position = Point3D(values.at(PositionField), values.at(PositionField + 1), values.at(PositionField + 2));
    if (typed.at(VelocityField) || typed.at(VelocityField + 1) || typed.at(VelocityField + 2))
        change.velocity = Point3D(values.at(VelocityField), values.at(VelocityField + 1), values.at(VelocityField + 2));
    (void)solarSystem->ChangeBody(body, change);
    if (change.mass)
        gui.ShowMass(body->GetId(), *change.mass);

    // Confirmed: the fields show the body live again, and the keys act again.
    ForgetTyping();
    message->SetVisible(false);
    frame->GetMainGroup()->SetFocused(false);
    Show(body);
    return true;
}

} // namespace Zandrel
