#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace Quarnel::GameEngine2D::Input
{

// Key codes as handlers see them, and the indexes into the keyboard state. These are the classic SDL 1.2 key
// symbols: printable keys and the control characters are their ASCII codes, the keypad, arrows, function and
// modifier keys lie in 256..322.
enum class Keys : std::int32_t
{
    Backspace = 8,
    Tab = 9,
    Clear = 12,
    Return = 13,
    Pause = 19,
    Escape = 27,
    Space = 32,
    Delete = 127,
    Kp0 = 256,
    KpPeriod = 266,
    KpDivide = 267,
    KpMultiply = 268,
    KpMinus = 269,
    KpPlus = 270,
    KpEnter = 271,
    KpEquals = 272,
    Up = 273,
    Down = 274,
    Right = 275,
    Left = 276,
    Insert = 277,
    Home = 278,
    End = 279,
    PageUp = 280,
    PageDown = 281,
    F1 = 282,
    F3 = 284,
    F11 = 292,
    F12 = 293,
    F15 = 296,
    NumLock = 300,
    CapsLock = 301,
    ScrollLock = 302,
    RShift = 303,
    LShift = 304,
    RCtrl = 305,
    LCtrl = 306,
    RAlt = 307,
    LAlt = 308,
    RMeta = 309,
    LMeta = 310,
    LSuper = 311,
    RSuper = 312,
    Mode = 313,
    Compose = 314,
    Help = 315,
    Print = 316,
    SysReq = 317,
    Break = 318,
    Menu = 319,
    Power = 320,
    Euro = 321,
    Undo = 322,
};

// Number of entries of the keyboard state: one past the highest key code.
inline constexpr std::size_t KeyCount = 323;

// The keyboard state handed to every input handler: non-zero for each key that is down, indexed by Keys.
using KeyState = std::array<std::uint8_t, KeyCount>;

// The key code of an SDL2 key, or nothing for keys the keyboard state does not track (letters with
// diacritics, media keys and the like). SDL2 codes below 128 are the same numbers.
[[nodiscard]] std::optional<std::size_t> LegacyKeyCode(std::int32_t sdlKey);

} // namespace Quarnel::GameEngine2D::Input
