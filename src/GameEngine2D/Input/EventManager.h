#pragma once

#include "Common/Point2D.h"
#include "GameEngine2D/Input/InputManager.h"
#include "GameEngine2D/Input/Keys.h"

#include <SDL_events.h>
#include <cstdint>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Input
{

// The engine's single input dispatcher. The main loop hands it every SDL event but the quit event; it keeps
// the pointer position, the button flags and the keyboard state, classifies the event into an EventType and
// hands it to the handler registry "Main Input Handler".
//
// SDL2 events are read the way the engine's handlers expect the classic events:
// - each wheel notch is one WheelUp or WheelDown, at most MaximumWheelNotches per event;
// - the keyboard state has 323 entries indexed by the classic key codes (see Keys.h);
// - a key press carries the character it types: an SDL_TEXTINPUT directly behind the SDL_KEYDOWN in the queue
//   is taken out of the queue and becomes that press's character, so one press gives one KeyDown. Text that
//   arrives without a key press (input methods) gives one KeyDown per character;
// - key repeats count as presses.
class EventManager final
{
public:
    // No wheel turns further than this between two frames; a larger amount (a broken or forged event, up to
    // 2^31 notches) is cut to it instead of freezing the program with billions of notifications.
    static constexpr std::int64_t MaximumWheelNotches = 100;

    // Creates the registry and switches SDL's text input on.
    EventManager();
    EventManager(const EventManager&) = delete;
    EventManager& operator=(const EventManager&) = delete;
    virtual ~EventManager() = default;

    // Registers a handler with "Main Input Handler" (see InputManager) until its subscription goes.
    [[nodiscard]] virtual InputSubscription AddInputHandler(std::optional<Common::Rect> space,
                                                            InputHandler::Callback onInput);
    virtual void RemoveInputHandler(const InputSubscription& handler);
    virtual void HandleEvent(SDL_Event event);
    // The character of the last key event: "Unicode: <code>" is logged, then codes 32..122 give that character,
    // 160..255 its two-byte UTF-8 form, every other code the empty text.
    [[nodiscard]] virtual std::string GetUnicodeText() const;
    [[nodiscard]] virtual bool IsLeftButtonDown() const;
    [[nodiscard]] virtual bool IsRightButtonDown() const;
    [[nodiscard]] virtual int GetHandlerCount() const;

    // Last known pointer position; not a number until the first motion or button release.
    [[nodiscard]] Common::Point2D GetMousePosition() const { return mousePosition; }
    [[nodiscard]] const KeyState& GetKeyState() const { return keyState; }
    // The SDL key code of the last key press; 0 when the last KeyDown came from text without a key press.
    [[nodiscard]] std::int32_t GetLastKey() const { return lastKey; }
    // The character (Unicode code point) the last KeyDown typed, 0 for none; unlike GetUnicodeText, logs nothing.
    [[nodiscard]] std::uint32_t GetLastCharacter() const { return lastUnicode; }
    // Whether the last KeyDown was the system repeating a held key rather than a new press.
    [[nodiscard]] bool IsLastKeyRepeated() const { return lastKeyRepeated; }

private:
    void HandleButton(const SDL_MouseButtonEvent& button);
    void HandleWheel(const SDL_MouseWheelEvent& wheel);
    void HandleKeyDown(const SDL_KeyboardEvent& key);
    void HandleText(const SDL_TextInputEvent& text);
    void SetKey(std::int32_t sdlKey, std::uint8_t down);
    void Dispatch(EventType kind);

    Common::Point2D mousePosition;
    KeyState keyState{};
    bool leftButtonDown = false;
    bool rightButtonDown = false;
    InputManager inputManager;
    SDL_Event lastEvent{};
    // The character (Unicode code point) of the last key event; 0 when the key types none.
    std::uint32_t lastUnicode = 0;
    std::int32_t lastKey = 0;
    bool lastKeyRepeated = false;
};

} // namespace Quarnel::GameEngine2D::Input
