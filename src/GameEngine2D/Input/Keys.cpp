#include "GameEngine2D/Input/Keys.h"

#include <SDL.h>

namespace Quarnel::GameEngine2D::Input
{

namespace
{

constexpr std::size_t Code(Keys key)
{
    return static_cast<std::size_t>(key);
}

// Keys of SDL2's scancode-based range, mapped one by one.
std::optional<std::size_t> SpecialKeyCode(SDL_Keycode key)
{
    switch (key)
    {
    case SDLK_KP_0:
        return Code(Keys::Kp0);
    case SDLK_KP_1:
    case SDLK_KP_2:
    case SDLK_KP_3:
    case SDLK_KP_4:
    case SDLK_KP_5:
    case SDLK_KP_6:
    case SDLK_KP_7:
    case SDLK_KP_8:
    case SDLK_KP_9:
        // SDL2 numbers the keypad 1..9 consecutively and 0 after them; SDL 1.2 starts at 0.
        return Code(Keys::Kp0) + static_cast<std::size_t>(key - SDLK_KP_1 + 1);
    case SDLK_KP_PERIOD:
        return Code(Keys::KpPeriod);
    case SDLK_KP_DIVIDE:
        return Code(Keys::KpDivide);
    case SDLK_KP_MULTIPLY:
        return Code(Keys::KpMultiply);
    case SDLK_KP_MINUS:
        return Code(Keys::KpMinus);
    case SDLK_KP_PLUS:
        return Code(Keys::KpPlus);
    case SDLK_KP_ENTER:
        return Code(Keys::KpEnter);
    case SDLK_KP_EQUALS:
        return Code(Keys::KpEquals);
    case SDLK_UP:
        return Code(Keys::Up);
    case SDLK_DOWN:
        return Code(Keys::Down);
    case SDLK_RIGHT:
        return Code(Keys::Right);
    case SDLK_LEFT:
        return Code(Keys::Left);
    case SDLK_INSERT:
        return Code(Keys::Insert);
    case SDLK_HOME:
        return Code(Keys::Home);
    case SDLK_END:
        return Code(Keys::End);
    case SDLK_PAGEUP:
        return Code(Keys::PageUp);
    case SDLK_PAGEDOWN:
        return Code(Keys::PageDown);
    case SDLK_NUMLOCKCLEAR:
        return Code(Keys::NumLock);
    case SDLK_CAPSLOCK:
        return Code(Keys::CapsLock);
    case SDLK_SCROLLLOCK:
        return Code(Keys::ScrollLock);
    case SDLK_RSHIFT:
        return Code(Keys::RShift);
    case SDLK_LSHIFT:
        return Code(Keys::LShift);
    case SDLK_RCTRL:
        return Code(Keys::RCtrl);
    case SDLK_LCTRL:
        return Code(Keys::LCtrl);
    case SDLK_RALT:
        return Code(Keys::RAlt);
    case SDLK_LALT:
        return Code(Keys::LAlt);
    case SDLK_LGUI:
        return Code(Keys::LSuper);
    case SDLK_RGUI:
        return Code(Keys::RSuper);
    case SDLK_MODE:
        return Code(Keys::Mode);
    case SDLK_HELP:
        return Code(Keys::Help);
    case SDLK_PRINTSCREEN:
        return Code(Keys::Print);
    case SDLK_SYSREQ:
        return Code(Keys::SysReq);
    case SDLK_MENU:
    case SDLK_APPLICATION:
        return Code(Keys::Menu);
    case SDLK_POWER:
        return Code(Keys::Power);
    case SDLK_UNDO:
        return Code(Keys::Undo);
    case SDLK_PAUSE:
        return Code(Keys::Pause);
    case SDLK_CLEAR:
        return Code(Keys::Clear);
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return Code(Keys::F1) + static_cast<std::size_t>(key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F15)
        return Code(Keys::F1) + 12 + static_cast<std::size_t>(key - SDLK_F13);
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> LegacyKeyCode(std::int32_t sdlKey)
{
    if (sdlKey > 0 && sdlKey < 128)
        return static_cast<std::size_t>(sdlKey);
    return SpecialKeyCode(sdlKey);
}

} // namespace Quarnel::GameEngine2D::Input
