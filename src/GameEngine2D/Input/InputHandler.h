#pragma once

#include "Common/Point2D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/Keys.h"

#include <functional>
#include <optional>

namespace Quarnel::GameEngine2D::Input
{

// One registered receiver of input: a callback and the window area (in pixels) in which the pointer counts as
// inside. Without an area the handler hears every event with `inside` false.
class InputHandler final
{
public:
    // (inside, kind, keys, mouse): whether the pointer lies strictly inside the area, the kind of event, the
    // keyboard state and the pointer position in window pixels (origin top left).
    using Callback = std::function<void(bool inside, EventType kind, const KeyState& keys, Common::Point2D mouse)>;

    InputHandler(std::optional<Common::Rect> area, Callback callback);
    InputHandler(const InputHandler&) = delete;
    InputHandler& operator=(const InputHandler&) = delete;
    virtual ~InputHandler() = default;

    [[nodiscard]] virtual std::optional<Common::Rect> GetSpace() const;
    virtual void SetSpace(Common::Rect value);

    // Whether `mouse` lies strictly inside the area: a pointer on the border is outside.
    [[nodiscard]] bool IsInside(Common::Point2D mouse) const;
    void Call(bool inside, EventType kind, const KeyState& keys, Common::Point2D mouse) const;

private:
    std::optional<Common::Rect> space;
    Callback onInput;
};

} // namespace Quarnel::GameEngine2D::Input
