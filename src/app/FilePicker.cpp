#include "app/FilePicker.h"

#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/List.h"
#include "app/GameGUI.h"
#include "app/GuiDesigner.h"

#include <limits>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::Common::Rect;

constexpr float Margin = 6.0f;
constexpr float ButtonRow = 34.0f;
constexpr std::size_t MaxFiles = std::numeric_limits<std::uint16_t>::max() + std::size_t{1};

// "Vorlage: acht.json" for a shipped preset, "Gespeichert: zandrel-….json" for a save.
std::string EntryText(const std::filesystem::path& file)
{
    const bool preset = file.parent_path().filename() == "presets";
    return (preset ? "Vorlage: " : "Gespeichert: ") + file.filename().string();
}

} // namespace

FilePicker::FilePicker(Quarnel::GameEngine2D::Scene::Scene& panelScene,
                       std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont, ChooseCallback onChoose) :
    EmptyNode("filePicker", Point3D(), Point3D()),
    scene(panelScene),
    font(std::move(panelFont)),
    choose(std::move(onChoose)),
    designer(std::make_shared<GuiDesigner>(panelScene, Width))
{
}

FilePicker::~FilePicker() = default;

void FilePicker::Open(std::vector<std::filesystem::path> offered)
{
    if (frame)
        RemoveFrame(scene.GetGameEngine());
    files = std::move(offered);
    if (files.size() > MaxFiles)
        files.resize(MaxFiles);
    closing = false;
    chosen.reset();

    // Centred over the 3D view, left of the control panel.
    const Point3D window(scene.GetGameEngine().GetVideoEngine().GetSettings().GetSize());
    const float left = (window.X() - GameGUI::PanelWidth - Width) / 2.0f;
    const float top = (window.Y() - Height) / 2.0f;
    auto look = designer;
    frame = std::make_shared<Quarnel::GameEngine2D::Widgets::Frame>(
        "picker", Rect(Point3D(left, top, 0.0f), Point3D(Width, Height, 0.0f)), scene, font,
        [look](Quarnel::GameEngine2D::Widgets::WidgetType type, Quarnel::GameEngine2D::Widgets::WidgetNodeType role,
               Quarnel::GameEngine2D::Widgets::Control& control) {
            return look->CreateWidgetNode(control, role, type);
        });
    Quarnel::GameEngine2D::Widgets::Group& group = *frame->GetMainGroup();
    const auto list = group.AddList(
        {.name = "liFiles",
         .title = files.empty() ? "System laden: keine Dateien" : "System laden",
         .rect = Rect(Point3D(Margin, Margin, 0.0f), Point3D(Width - 2.0f * Margin, Height - ButtonRow - Margin, 0.0f)),
         .onChange = [this](const std::vector<std::uint16_t>& selection) { OnSelection(selection); }});
    for (std::size_t index = 0; index < files.size(); ++index)
        AddEntry(*list, static_cast<std::uint16_t>(index));
    group.AddButton(
        "Schließen", Point3D(Margin, Height - ButtonRow + Margin, 0.0f), [this] { Close(); }, "btnClosePicker");
    AddChild(frame);
}

void FilePicker::AddEntry(Quarnel::GameEngine2D::Widgets::List& list, std::uint16_t index)
{
    Quarnel::GameEngine2D::Scene::NodeFactory& factory = scene.GetNodeFactory();
    auto text = factory.CreateTextNode("file", Point3D(0.0f, 2.0f, 0.0f), font, EntryText(files.at(index)));
    const float lineHeight = text->GetSize().value_or(Point3D()).Y();
    auto entry = factory.CreateEmptyNode("file_li", Point3D(), Point3D(Width - 4.0f * Margin, lineHeight + 6.0f, 0.0f));
    entry->AddChild(text);
    list.AddOption(entry, index, false);
}

void FilePicker::Close()
{
    if (frame)
        closing = true;
}

void FilePicker::OnSelection(const std::vector<std::uint16_t>& selection)
{
    if (selection.empty() || selection.front() >= files.size())
        return;
    chosen = files.at(selection.front());
    closing = true;
}

void FilePicker::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    if (!closing)
        return;
    std::optional<std::filesystem::path> file = std::exchange(chosen, std::nullopt);
    RemoveFrame(gameEngine);
    if (file)
        choose(*file);
}

void FilePicker::RemoveFrame(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    closing = false;
    if (!frame)
        return;
    const auto shown = std::exchange(frame, nullptr);
    RemoveChild(shown, gameEngine);
}

} // namespace Zandrel
