#pragma once

#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Zandrel
{

class GuiDesigner;

// A window over the 3D view that lists system files (presets and saves) in a paged list; choosing one hands it to
// the owner and closes the window, "Schließen" closes it without a choice. It stands left of the control panel,
// so it covers none of the panel's controls.
//
// Choosing and closing happen when the picker is next drawn, not inside the click that asked for them: the click
// runs in the window's own input handling, which must not take the window away under itself.
class FilePicker final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    using ChooseCallback = std::function<void(const std::filesystem::path& file)>;

    static constexpr float Width = 400.0f;
    static constexpr float Height = 520.0f;

    // `panelScene` owns the picker (through its tree) and outlives it.
    FilePicker(Quarnel::GameEngine2D::Scene::Scene& panelScene,
               std::shared_ptr<Quarnel::GameEngine2D::Video::Font> panelFont, ChooseCallback onChoose);
    ~FilePicker() override;

    // Shows the window with these files (at most 65 536); a window already shown is replaced.
    void Open(std::vector<std::filesystem::path> offered);
    // Hides the window when it is next drawn.
    void Close();
    [[nodiscard]] bool IsOpen() const { return frame != nullptr && !closing; }
    [[nodiscard]] const std::vector<std::filesystem::path>& GetFiles() const { return files; }
    // The window's frame while it is shown, else null.
    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Widgets::Frame>& GetFrame() const { return frame; }

    // Hands over a chosen file and closes the window, when asked for since the last frame.
    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    void AddEntry(Quarnel::GameEngine2D::Widgets::List& list, std::uint16_t index);
    void OnSelection(const std::vector<std::uint16_t>& selection);
    void RemoveFrame(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine);

    Quarnel::GameEngine2D::Scene::Scene& scene;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font;
    ChooseCallback choose;
    std::shared_ptr<GuiDesigner> designer;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Frame> frame;
    std::vector<std::filesystem::path> files;
    std::optional<std::filesystem::path> chosen;
    bool closing = false;
};

} // namespace Zandrel
