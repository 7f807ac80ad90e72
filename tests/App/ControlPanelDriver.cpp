#include "ControlPanelDriver.h"

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "app/Game.h"
#include "app/GameGUI.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace Zandrel::Testing
{

namespace
{

// A steady 60 frames per second.
constexpr std::uint32_t FrameMs = 16;

void Push(SDL_Event& event)
{
    if (SDL_PushEvent(&event) != 1)
        throw std::runtime_error(std::string("SDL_PushEvent failed: ") + SDL_GetError());
}

std::int32_t Pixel(float coordinate)
{
    return static_cast<std::int32_t>(coordinate);
}

} // namespace

ControlPanelDriver::ControlPanelDriver(GameStart start) :
    game(Game::Create(offscreen.Engine(), std::move(start))),
    panel(game->GetPanelScene())
{
    if (!panel)
        throw std::runtime_error("the game has no panel scene");
    gui = std::dynamic_pointer_cast<GameGUI>(panel->GetRoot()->FindChild("gui"));
    if (!gui)
        throw std::runtime_error("the panel scene holds no control panel named gui");
    // Leftovers of an earlier test must not reach this game.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

ControlPanelDriver::~ControlPanelDriver()
{
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void ControlPanelDriver::DeliverEvents()
{
    SDL_Event event{};
    while (SDL_PollEvent(&event) == 1)
    {
        if (event.type != SDL_QUIT)
            offscreen.Input().HandleEvent(event);
    }
}

void ControlPanelDriver::Frames(int count)
{
    for (int index = 0; index < count; ++index)
    {
        DeliverEvents();
        offscreen.Video().InitFrame();
        game->Update(ticks);
        panel->Update(ticks);
        ticks += FrameMs;
        ++frameCount;
    }
}

Quarnel::Common::Point2D ControlPanelDriver::CenterOf(const Quarnel::GameEngine2D::Widgets::Control& control) const
{
    const Quarnel::Common::Rect area = control.GetScreenRect();
    return {area.Position().X() + area.Size().X() / 2.0f, area.Position().Y() + area.Size().Y() / 2.0f};
}

Quarnel::Common::Point2D ControlPanelDriver::CenterOf(const std::string& controlName) const
{
    return CenterOf(*gui->GetFrame().GetMainGroup()->GetControl(controlName));
}

void ControlPanelDriver::ClickAt(Quarnel::Common::Point2D at)
{
    PushMove(at);
    Frames();
    PushButton(at, SDL_BUTTON_LEFT, true);
    PushButton(at, SDL_BUTTON_LEFT, false);
    Frames();
}

void ControlPanelDriver::Click(const std::string& controlName)
{
    ClickAt(CenterOf(controlName));
}

void ControlPanelDriver::Click(const Quarnel::GameEngine2D::Widgets::Control& control)
{
    ClickAt(CenterOf(control));
}

void ControlPanelDriver::PressKey(SDL_Keycode key)
{
    PushKey(key, "");
    Frames();
}

void ControlPanelDriver::TypeDigits(const std::string& digits)
{
    for (const char digit : digits)
    {
        PushKey(static_cast<SDL_Keycode>(digit), std::string(1, digit));
        Frames();
    }
}

void ControlPanelDriver::Retype(const std::string& field, const std::string& text)
{
    Click(field);
    for (int count = 0; count < 17; ++count)
        PushKey(SDLK_BACKSPACE, "");
    Frames();
    TypeDigits(text);
}

void ControlPanelDriver::PushMove(Quarnel::Common::Point2D at)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = Pixel(at.x);
    event.motion.y = Pixel(at.y);
    Push(event);
}

void ControlPanelDriver::PushButton(Quarnel::Common::Point2D at, std::uint8_t button, bool pressed)
{
    SDL_Event event{};
    event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = Pixel(at.x);
    event.button.y = Pixel(at.y);
    Push(event);
}

void ControlPanelDriver::PushWheel(Quarnel::Common::Point2D at, int notches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    event.wheel.mouseX = Pixel(at.x);
    event.wheel.mouseY = Pixel(at.y);
    Push(event);
}

void ControlPanelDriver::PushKeyEdge(SDL_Keycode key, bool pressed)
{
    SDL_Event edge{};
    edge.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    edge.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    edge.key.keysym.sym = key;
    Push(edge);
}

void ControlPanelDriver::PushKey(SDL_Keycode key, const std::string& text)
{
    SDL_Event down{};
    down.type = SDL_KEYDOWN;
    down.key.state = SDL_PRESSED;
    down.key.keysym.sym = key;
    Push(down);
    if (!text.empty())
    {
        SDL_Event typed{};
        typed.type = SDL_TEXTINPUT;
        std::strncpy(typed.text.text, text.c_str(), sizeof(typed.text.text) - 1);
        Push(typed);
    }
    SDL_Event up{};
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    up.key.keysym.sym = key;
    Push(up);
}

} // namespace Zandrel::Testing
