// The text and number fields' key handling on arbitrary sequences of clicks, key presses, typed text and length
// limits, through the engine's own input dispatcher as in the program: a frame with a text field and a number
// field on a headless engine. Each input byte picks an action, some take the following bytes as their argument.
// Whatever arrives, the number field holds digits only, and the text field (filled only by typing) holds UTF-8 no
// longer than its limit plus one character.
#include "Common/Color.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "FuzzSupport.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/VideoSettings.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "GameEngine2D/Widgets/TextEdit.h"

#include <SDL.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

namespace
{

namespace Widgets = Quarnel::GameEngine2D::Widgets;
using Quarnel::Common::Point3D;
using Quarnel::Common::Rect;
using Quarnel::Fuzz::Check;

constexpr float FrameX = 100.0f;
constexpr float FrameY = 50.0f;

// A panel scene with one frame holding a text field at the top and a number field below it, built once.
class Panel
{
public:
    Panel()
    {
        // The font lies in the repository's data folder.
        std::filesystem::current_path(QUARNEL_SOURCE_DIR);
        scene->GetCamera()->SetOrthographic(true);
        scene->GetRoot()->AddChild(frame);
        frame->GetMainGroup()
            ->AddTextEdit("teName", Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "")
            .AddNumberEdit("neMass", Rect(Point3D(0.0f, 40.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "50");
        text = std::static_pointer_cast<Widgets::TextEdit>(frame->GetMainGroup()->GetControl("teName"));
        number = std::static_pointer_cast<Widgets::NumberEdit>(frame->GetMainGroup()->GetControl("neMass"));
        // Drawing registers the fields' input areas.
        Draw();
    }

    void Draw()
    {
        ticks += 16;
        scene->Update(ticks);
    }

    void Click(float x, float y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONUP;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_RELEASED;
        event.button.x = static_cast<Sint32>(x);
        event.button.y = static_cast<Sint32>(y);
        engine.GetEventManager().HandleEvent(event);
    }

    // A key press and release; the typed text, when there is some, queued right behind the press as SDL does.
    void Press(SDL_Keycode key, std::string_view typed)
    {
        SDL_Event event{};
        if (!typed.empty())
        {
            event.type = SDL_TEXTINPUT;
            typed.copy(event.text.text, std::min(typed.size(), sizeof event.text.text - 1));
            SDL_PushEvent(&event);
        }
        event = SDL_Event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = key;
        engine.GetEventManager().HandleEvent(event);
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        engine.GetEventManager().HandleEvent(event);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    // Text typed without a key event (an input method): one key press per character.
    void Type(std::string_view typed)
    {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        typed.copy(event.text.text, std::min(typed.size(), sizeof event.text.text - 1));
        engine.GetEventManager().HandleEvent(event);
    }

    Quarnel::GameEngine2D::GameEngine engine{
        Quarnel::GameEngine2D::Video::VideoSettings({400.0f, 400.0f}, 32, false, 1024), "Zandrel fuzz", nullptr};
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> scene = engine.CreateScene("gui");
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font = std::make_shared<Quarnel::GameEngine2D::Video::Font>(
        "vera12", "daten//font//vera//Vera.ttf", 12, Quarnel::Common::Color(255, 255, 255, 255));
    std::shared_ptr<Widgets::Frame> frame =
        std::make_shared<Widgets::Frame>("panel", Rect(Point3D(FrameX, FrameY, 0.0f), Point3D(200.0f, 300.0f, 0.0f)),
                                         *scene, font, Widgets::Frame::CreateWidgetNodeCallback{});
    std::shared_ptr<Widgets::TextEdit> text;
    std::shared_ptr<Widgets::NumberEdit> number;
    std::uint32_t ticks = 1000;
};

// The keys a user reaches: control keys, printable ones, keypad and others beyond the byte range.
SDL_Keycode KeyOf(std::uint8_t byte)
{
    constexpr SDL_Keycode Special[] = {SDLK_BACKSPACE, SDLK_RETURN, SDLK_KP_ENTER, SDLK_TAB,    SDLK_ESCAPE,
                                       SDLK_DELETE,    SDLK_LEFT,   SDLK_KP_0,     SDLK_LSHIFT, SDLK_F12,
                                       SDLK_UNKNOWN,   SDLK_SPACE,  SDLK_a,        SDLK_0,      SDLK_CAPSLOCK};
    if (byte < std::size(Special))
        return Special[byte];
    return static_cast<SDL_Keycode>(byte);
}

bool IsValidUtf8(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i)
        {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
                return false;
        }
        at += length;
    }
    return true;
}

// Made before the first input, so that what SDL and the GL driver keep for the whole process is not taken for a
// leak of that input, and never torn down: the process ends with it.
Panel& ThePanel()
{
    static Panel& panel = *new Panel;
    return panel;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Quarnel::Fuzz::SilenceLog();
    (void)ThePanel();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Panel& panel = ThePanel();
    const std::string_view input = Quarnel::Fuzz::AsText(data, size);

    // The same start for every input: both fields unfocused with their first texts and limits.
    panel.Click(FrameX + 190.0f, FrameY + 290.0f);
    panel.text->SetMaxLength(Widgets::TextEdit::DefaultMaxLength);
    panel.number->SetMaxLength(Widgets::TextEdit::DefaultMaxLength);
    panel.text->SetText("");
    panel.number->SetText("50");

    std::size_t largestTextLimit = Widgets::TextEdit::DefaultMaxLength;
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    const auto piece = [&]() {
        const std::size_t length = std::min<std::size_t>(next() % 8, size - std::min(at, size));
        const std::string_view result = input.substr(std::min(at, size), length);
        at += length;
        return result;
    };
    while (at < size)
    {
        switch (next() % 8)
        {
        case 0:
            panel.Click(FrameX + 10.0f, FrameY + 10.0f);
            break;
        case 1:
            panel.Click(FrameX + 10.0f, FrameY + 50.0f);
            break;
        case 2:
            panel.Click(FrameX + 190.0f, FrameY + 290.0f);
            break;
        case 3:
            panel.Press(SDLK_BACKSPACE, {});
            break;
        case 4:
            panel.Press(SDLK_RETURN, {});
            break;
        case 5:
            panel.Type(piece());
            break;
        case 6: {
            const SDL_Keycode key = KeyOf(next());
            panel.Press(key, piece());
            break;
        }
        default: {
            const std::uint8_t limit = next();
            if (limit < 64 && limit % 2 == 0)
            {
                panel.text->SetMaxLength(limit / 2);
                largestTextLimit = std::max<std::size_t>(largestTextLimit, limit / 2);
            }
            else if (limit < 64)
                panel.number->SetMaxLength(limit / 2);
            else
                panel.Draw();
            break;
        }
        }
        const std::string numberText = panel.number->GetText();
        Check(numberText.find_first_not_of("0123456789") == std::string::npos, "the number field holds digits only",
              input);
        (void)panel.number->GetInteger();
        (void)panel.number->GetFloat();
        const std::string text = panel.text->GetText();
        Check(IsValidUtf8(text), "the text field holds UTF-8", input);
        // A typed character is one or two bytes and is only appended below the limit.
        Check(text.size() <= largestTextLimit + 1, "the text field grows no further than its limit", input);
    }
    // A frame per input, as the program draws between its events: the cursor's fades run and end.
    panel.Draw();
    return 0;
}
