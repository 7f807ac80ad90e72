#pragma once

#include "Common/Event.h"
#include "Common/Point2D.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/Forward.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Zandrel
{

// The keys that steer simulated time: Space pauses and resumes, "+" and "-" (main keyboard and keypad) double and
// halve the speed, "." runs one step while paused. Further keys can be bound (Bind).
//
// The keys act only while no text field of the panel (or of another frame added to it, such as the inspector) is
// being edited, so typing into a field never triggers them. Editing ends with Escape or with a click into the 3D
// view (anywhere outside the panel and those frames); an Escape that ends no
// editing is announced through OnEscape instead, for whatever is under way (a drag, say) to cancel itself.
class SimulationShortcuts final
{
public:
    using Action = std::function<void()>;

    // `input`, `clock` and `panel` outlive the shortcuts.
    SimulationShortcuts(Quarnel::GameEngine2D::Input::EventManager& input,
                        Quarnel::GameEngine2D::Physics::SimulationClock& clock,
                        Quarnel::GameEngine2D::Widgets::Frame& panel);
    SimulationShortcuts(const SimulationShortcuts&) = delete;
    SimulationShortcuts& operator=(const SimulationShortcuts&) = delete;
    ~SimulationShortcuts();

    // Runs `action` on each press of the key with this SDL key code (or typing its character, for keys below 128)
    // while no field is being edited. A key bound twice runs the later action.
    void Bind(std::int32_t sdlKey, Action action);
    // Raised on Escape when no field was being edited.
    [[nodiscard]] Quarnel::Common::EventAddHandler<>& OnEscape() { return escaped.GetAddHandler(); }

    // A further frame over the 3D view whose fields count as the panel's; it outlives the shortcuts.
    void AddFrame(Quarnel::GameEngine2D::Widgets::Frame& frame);
    // Whether a text field of the panel or an added frame has the focus.
    [[nodiscard]] bool IsEditing() const;
    // Takes the focus from every field of the panel and the added frames.
    void EndEditing();
    // Whether the pointer is over the panel or a shown added frame.
    [[nodiscard]] bool IsOverPanel(Quarnel::Common::Point2D mouse) const;
    // Drops the registration with the input dispatcher; the keys do nothing from then on.
    void Detach() { registration.Reset(); }

private:
    struct Binding
    {
        std::int32_t key;
        Action action;
    };

    void OnInput(Quarnel::GameEngine2D::Input::EventType kind, Quarnel::Common::Point2D mouse);
    void OnKey();

    Quarnel::GameEngine2D::Input::EventManager& input;
    Quarnel::GameEngine2D::Physics::SimulationClock& clock;
    // The panel first.
    std::vector<Quarnel::GameEngine2D::Widgets::Frame*> frames;
    std::vector<Binding> bindings;
    Quarnel::Common::Event<> escaped;
    Quarnel::GameEngine2D::Input::InputSubscription registration;
};

} // namespace Zandrel
