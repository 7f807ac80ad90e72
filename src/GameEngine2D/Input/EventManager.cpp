#include "GameEngine2D/Input/EventManager.h"

#include "Common/MyLog.h"

#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace Quarnel::GameEngine2D::Input
{

namespace
{

// Decodes the UTF-8 sequence at `at`, moving `at` past it. A malformed byte counts as one character of code 0,
// so broken input neither stops the decoding nor reads past the end.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    int length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80)
        return lead;
    if ((lead & 0xE0) == 0xC0)
    {
        length = 1;
        code = lead & 0x1Fu;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        length = 2;
        code = lead & 0x0Fu;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        length = 3;
        code = lead & 0x07u;
    }
    else
    {
        return 0;
    }
    for (int index = 0; index < length; ++index)
    {
        if (at >= text.size())
            return 0;
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3Fu);
        ++at;
    }
    return code;
}

// The character a key without text input types: the control characters keep their codes (8 backspace,
// 13 return, 27 escape, 127 delete), every other key types none.
std::uint32_t ControlCharacter(SDL_Keycode key)
{
    if ((key > 0 && key < 32) || key == 127)
        return static_cast<std::uint32_t>(key);
    return 0;
}

} // namespace

EventManager::EventManager() :
    mousePosition(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()),
    inputManager("Main Input Handler")
{
    // Text input gives each key press its character; repeats come at the system's rate.
    SDL_StartTextInput();
}

InputSubscription EventManager::AddInputHandler(std::optional<Common::Rect> space, InputHandler::Callback onInput)
{
    return inputManager.AddInputHandler(std::move(space), std::move(onInput));
}

void EventManager::RemoveInputHandler(const InputSubscription& handler)
{
    inputManager.RemoveInputHandler(handler);
}

int EventManager::GetHandlerCount() const
{
    return inputManager.GetHandlerCount();
}

bool EventManager::IsLeftButtonDown() const
{
    return leftButtonDown;
}

bool EventManager::IsRightButtonDown() const
{
    return rightButtonDown;
}

void EventManager::HandleEvent(SDL_Event event)
{
    lastEvent = event;
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        mousePosition = Common::Point2D(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
        Dispatch(EventType::MouseMove);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandleButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        HandleWheel(event.wheel);
        break;
    case SDL_KEYDOWN:
        HandleKeyDown(event.key);
        break;
    case SDL_KEYUP:
        SetKey(event.key.keysym.sym, 0);
        break;
    case SDL_TEXTINPUT:
        HandleText(event.text);
        break;
    default:
        break;
    }
}

void EventManager::HandleButton(const SDL_MouseButtonEvent& button)
{
    const bool pressed = button.type == SDL_MOUSEBUTTONDOWN;
    if (button.button == SDL_BUTTON_LEFT)
        leftButtonDown = pressed;
    else if (button.button == SDL_BUTTON_RIGHT)
        rightButtonDown = pressed;
    // A press is not announced and does not move the known pointer position; the release is.
    if (pressed)
        return;
    mousePosition = Common::Point2D(static_cast<float>(button.x), static_cast<float>(button.y));
    // SDL2's buttons 4 and 5 are the side buttons, not the wheel: their release is a plain MouseMove.
    Dispatch(button.button == SDL_BUTTON_LEFT ? EventType::Click : EventType::MouseMove);
}

void EventManager::HandleWheel(const SDL_MouseWheelEvent& wheel)
{
    // In 64 bits: the flipped direction negates the amount, and -INT32_MIN does not fit an int.
    const std::int64_t amount = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -std::int64_t{wheel.y} : wheel.y;
    if (amount == 0)
        return;
    mousePosition = Common::Point2D(static_cast<float>(wheel.mouseX), static_cast<float>(wheel.mouseY));
    const EventType kind = amount > 0 ? EventType::WheelUp : EventType::WheelDown;
    for (std::int64_t count = std::min(amount > 0 ? amount : -amount, MaximumWheelNotches); count > 0; --count)
        Dispatch(kind);
}

void EventManager::HandleKeyDown(const SDL_KeyboardEvent& key)
{
    SetKey(key.keysym.sym, 1);
    if (key.state != SDL_PRESSED)
        return;
    lastKey = key.keysym.sym;
    lastKeyRepeated = key.repeat != 0;
    lastUnicode = ControlCharacter(key.keysym.sym);
    // The text this press typed is queued right behind it; take it out so it does not count as a second press.
    SDL_Event next{};
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT &&
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1)
    {
        const std::string_view text(next.text.text);
        std::size_t at = 0;
        if (!text.empty())
            lastUnicode = NextCodePoint(text, at);
    }
    Dispatch(EventType::KeyDown);
}

void EventManager::HandleText(const SDL_TextInputEvent& text)
{
    const std::string_view typed(text.text);
    std::size_t at = 0;
    lastKey = 0;
    lastKeyRepeated = false;
    while (at < typed.size())
    {
        lastUnicode = NextCodePoint(typed, at);
        Dispatch(EventType::KeyDown);
    }
}

void EventManager::SetKey(std::int32_t sdlKey, std::uint8_t down)
{
    if (const auto code = LegacyKeyCode(sdlKey))
        keyState.at(*code) = down;
}

void EventManager::Dispatch(EventType kind)
{
    inputManager.Dispatch(kind, keyState, mousePosition);
}

std::string EventManager::GetUnicodeText() const
{
    Common::MyLog::Info("Unicode: " + std::to_string(lastUnicode));
    if (lastUnicode >= 32 && lastUnicode <= 122)
        return std::string(1, static_cast<char>(lastUnicode));
    if (lastUnicode >= 160 && lastUnicode <= 255)
    {
        const char encoded[] = {static_cast<char>(0xC0 | (lastUnicode >> 6)),
                                static_cast<char>(0x80 | (lastUnicode & 0x3F))};
        return std::string(encoded, 2);
    }
    return {};
}

} // namespace Quarnel::GameEngine2D::Input
