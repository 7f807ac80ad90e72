#include "app/SimulationShortcuts.h"

#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/TextEdit.h"

#include <SDL_keycode.h>
#include <algorithm>
#include <optional>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::GameEngine2D::Input::EventType;

// The key pressed, or for text typed without a key press its character: both name the key the same way for the
// keys below 128.
std::int32_t PressedKey(const Quarnel::GameEngine2D::Input::EventManager& input)
{
    if (input.GetLastKey() != 0)
        return input.GetLastKey();
    return input.GetLastCharacter() < 128 ? static_cast<std::int32_t>(input.GetLastCharacter()) : 0;
}

bool Typed(const Quarnel::GameEngine2D::Input::EventManager& input, char character)
{
    return input.GetLastCharacter() == static_cast<unsigned char>(character);
}

} // namespace

SimulationShortcuts::SimulationShortcuts(Quarnel::GameEngine2D::Input::EventManager& inputManager,
                                         Quarnel::GameEngine2D::Physics::SimulationClock& simulationClock,
                                         Quarnel::GameEngine2D::Widgets::Frame& panelFrame) :
    input(inputManager),
    clock(simulationClock),
    frames{&panelFrame}
{
    registration = input.AddInputHandler(
        std::nullopt, [this](bool /*inside*/, EventType kind, const Quarnel::GameEngine2D::Input::KeyState& /*keys*/,
                             Quarnel::Common::Point2D mouse) { OnInput(kind, mouse); });
}

SimulationShortcuts::~SimulationShortcuts() = default;

void SimulationShortcuts::Bind(std::int32_t sdlKey, Action action)
{
    const auto bound = std::ranges::find(bindings, sdlKey, &Binding::key);
    if (bound != bindings.end())
        bound->action = std::move(action);
    else
        bindings.push_back({sdlKey, std::move(action)});
}

void SimulationShortcuts::AddFrame(Quarnel::GameEngine2D::Widgets::Frame& frame)
{
    frames.push_back(&frame);
}

bool SimulationShortcuts::IsEditing() const
{
    return std::ranges::any_of(frames, [](const Quarnel::GameEngine2D::Widgets::Frame* frame) {
        const auto controls = frame->GetMainGroup()->GetControls();
        return std::ranges::any_of(controls, [](const auto& control) {
            return control->IsFocused() && dynamic_cast<const Quarnel::GameEngine2D::Widgets::TextEdit*>(control.get());
        });
    });
}

void SimulationShortcuts::EndEditing()
{
    for (Quarnel::GameEngine2D::Widgets::Frame* frame : frames)
        frame->GetMainGroup()->SetFocused(false);
}

void SimulationShortcuts::OnInput(EventType kind, Quarnel::Common::Point2D mouse)
{
    if (kind == EventType::Click && !IsOverPanel(mouse))
        EndEditing();
    else if (kind == EventType::KeyDown)
        OnKey();
}

void SimulationShortcuts::OnKey()
{
    const std::int32_t key = PressedKey(input);
    if (key == SDLK_ESCAPE)
    {
        if (IsEditing())
            EndEditing();
        else
            escaped.Call();
        return;
    }
    if (IsEditing())
        return;
    const bool faster = key == SDLK_KP_PLUS || key == SDLK_PLUS || Typed(input, '+');
    const bool slower = key == SDLK_KP_MINUS || key == SDLK_MINUS || Typed(input, '-');
    const bool step = key == SDLK_KP_PERIOD || key == SDLK_PERIOD || Typed(input, '.');
    // Holding "+", "-" or "." keeps speeding up, slowing down or stepping; every other shortcut switches or
    // acts once per press, so a held Space does not flicker between pause and run.
    if (input.IsLastKeyRepeated() && !faster && !slower && !step)
        return;
    if (key == SDLK_SPACE)
        clock.TogglePause();
    else if (faster)
        (void)clock.Faster();
    else if (slower)
        (void)clock.Slower();
    else if (step)
        clock.RequestSingleStep();
    else if (const auto bound = std::ranges::find(bindings, key, &Binding::key); bound != bindings.end())
        bound->action();
}

bool SimulationShortcuts::IsOverPanel(Quarnel::Common::Point2D mouse) const
{
    return std::ranges::any_of(frames, [mouse](const Quarnel::GameEngine2D::Widgets::Frame* frame) {
        if (!frame->IsVisible())
            return false;
        const Quarnel::Common::Point3D corner = frame->GetAbsolutePosition();
        const Quarnel::Common::Point3D size = frame->GetSize().value_or(Quarnel::Common::Point3D());
        return mouse.x >= corner.X() && mouse.x < corner.X() + size.X() && mouse.y >= corner.Y() &&
               mouse.y < corner.Y() + size.Y();
    });
}

} // namespace Zandrel
