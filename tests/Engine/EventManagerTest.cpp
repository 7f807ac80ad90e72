#include "GameEngine2D/Input/EventManager.h"

#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <SDL.h>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{

using Quarnel::Common::Point2D;
using Quarnel::GameEngine2D::Input::EventManager;
using Quarnel::GameEngine2D::Input::EventType;
using Quarnel::GameEngine2D::Input::KeyState;
using Quarnel::GameEngine2D::Input::LegacyKeyCode;

struct Notification
{
    EventType kind;
    Point2D mouse;
    KeyState keys;
};

// Real SDL events go through SDL's queue into a fresh dispatcher, the way the main loop feeds it.
class EventManagerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { offscreen = std::make_unique<Quarnel::TestSupport::OffscreenEngine>(); }
    static void TearDownTestSuite() { offscreen.reset(); }

    void SetUp() override
    {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        events = std::make_unique<EventManager>();
        listener =
            events->AddInputHandler(std::nullopt, [this](bool, EventType kind, const KeyState& keys, Point2D mouse) {
                seen.push_back({kind, mouse, keys});
            });
    }

    // Hands every queued event to the dispatcher, as the main loop's pump does.
    void Pump()
    {
        SDL_Event event{};
        while (SDL_PollEvent(&event) == 1)
            events->HandleEvent(event);
    }

    std::vector<EventType> Kinds() const
    {
        std::vector<EventType> kinds;
        for (const Notification& notification : seen)
            kinds.push_back(notification.kind);
        return kinds;
    }

    static void PushButton(Uint32 type, Uint8 button, int x, int y)
    {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }

    static void PushMotion(int x, int y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        SDL_PushEvent(&event);
    }

    static void PushWheel(int y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.y = y;
        event.wheel.direction = direction;
        event.wheel.mouseX = 7;
        event.wheel.mouseY = 9;
        SDL_PushEvent(&event);
    }

    static void PushKey(Uint32 type, SDL_Keycode key, Uint8 repeat = 0)
    {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }

    static void PushText(const char* text)
    {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
        SDL_PushEvent(&event);
    }

    static std::unique_ptr<Quarnel::TestSupport::OffscreenEngine> offscreen;
    std::unique_ptr<EventManager> events;
    Quarnel::GameEngine2D::Input::InputSubscription listener;
    std::vector<Notification> seen;
};

std::unique_ptr<Quarnel::TestSupport::OffscreenEngine> EventManagerTest::offscreen;

TEST_F(EventManagerTest, TheLeftButtonClicksOnlyOnReleaseAtTheReleasePosition)
{
    PushMotion(100, 200);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 400);
    Pump();
    EXPECT_EQ(Kinds(), (std::vector<EventType>{EventType::MouseMove}));
    EXPECT_TRUE(events->IsLeftButtonDown());
    // A press does not move the known pointer.
    EXPECT_EQ(events->GetMousePosition(), Point2D(100.0f, 200.0f));

    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 310, 410);
    Pump();
    EXPECT_EQ(Kinds(), (std::vector<EventType>{EventType::MouseMove, EventType::Click}));
    EXPECT_EQ(seen.back().mouse, Point2D(310.0f, 410.0f));
    EXPECT_FALSE(events->IsLeftButtonDown());
}

TEST_F(EventManagerTest, OtherButtonsReleaseAsPointerMotionAndOnlyTheRightOneIsTracked)
{
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1);
    Pump();
    EXPECT_TRUE(events->IsRightButtonDown());
    EXPECT_TRUE(seen.empty());

    // SDL2's buttons 4 and 5 are side buttons, not the wheel.
    for (const Uint8 button :
         {Uint8{SDL_BUTTON_RIGHT}, Uint8{SDL_BUTTON_MIDDLE}, Uint8{SDL_BUTTON_X1}, Uint8{SDL_BUTTON_X2}})
        PushButton(SDL_MOUSEBUTTONUP, button, 5, 6);
    Pump();
    EXPECT_EQ(Kinds(), std::vector<EventType>(4, EventType::MouseMove));
    EXPECT_FALSE(events->IsRightButtonDown());
    EXPECT_FALSE(events->IsLeftButtonDown());
}

TEST_F(EventManagerTest, EachWheelNotchIsOneNotification)
{
    PushWheel(3);
    PushWheel(-2);
    PushWheel(1, SDL_MOUSEWHEEL_FLIPPED);
    PushWheel(0);
    Pump();
    EXPECT_EQ(Kinds(), (std::vector<EventType>{EventType::WheelUp, EventType::WheelUp, EventType::WheelUp,
                                               EventType::WheelDown, EventType::WheelDown, EventType::WheelDown}));
    EXPECT_EQ(seen.back().mouse, Point2D(7.0f, 9.0f));
}

TEST_F(EventManagerTest, ExtremeWheelAmountsAreCutToTheNotchLimit)
{
    constexpr auto limit = static_cast<std::size_t>(EventManager::MaximumWheelNotches);
    PushWheel(std::numeric_limits<Sint32>::min(), SDL_MOUSEWHEEL_FLIPPED);
    Pump();
    EXPECT_EQ(Kinds(), std::vector<EventType>(limit, EventType::WheelUp));
    seen.clear();
    PushWheel(std::numeric_limits<Sint32>::min());
    PushWheel(std::numeric_limits<Sint32>::max());
    Pump();
    std::vector<EventType> expected(limit, EventType::WheelDown);
    expected.insert(expected.end(), limit, EventType::WheelUp);
    EXPECT_EQ(Kinds(), expected);
}

TEST_F(EventManagerTest, ThePointerIsUnknownUntilTheFirstMotion)
{
    EXPECT_TRUE(std::isnan(events->GetMousePosition().X()));
    PushMotion(12, 34);
    Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].mouse, Point2D(12.0f, 34.0f));
}

TEST_F(EventManagerTest, AKeyPressAndTheTextBehindItGiveOneKeyDownWithThatCharacter)
{
    PushKey(SDL_KEYDOWN, SDLK_a);
    PushText("a");
    Pump();
    ASSERT_EQ(Kinds(), (std::vector<EventType>{EventType::KeyDown}));
    EXPECT_EQ(seen[0].keys[static_cast<std::size_t>('a')], 1);
    EXPECT_EQ(events->GetUnicodeText(), "a");

    // The release updates the keyboard state without a notification.
    PushKey(SDL_KEYUP, SDLK_a);
    Pump();
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(events->GetKeyState()[static_cast<std::size_t>('a')], 0);
}

TEST_F(EventManagerTest, RepeatsAreKeyPressesAndKeysWithoutTextCarryNoCharacter)
{
    PushKey(SDL_KEYDOWN, SDLK_BACKSPACE);
    PushKey(SDL_KEYDOWN, SDLK_BACKSPACE, 1);
    PushKey(SDL_KEYDOWN, SDLK_RETURN);
    PushKey(SDL_KEYDOWN, SDLK_LEFT);
    Pump();
    EXPECT_EQ(Kinds(), std::vector<EventType>(4, EventType::KeyDown));
    const KeyState& keys = seen.back().keys;
    EXPECT_EQ(keys[8], 1);
    EXPECT_EQ(keys[13], 1);
    EXPECT_EQ(keys[276], 1);
    EXPECT_EQ(events->GetUnicodeText(), "");
}

TEST_F(EventManagerTest, TextWithoutAKeyPressGivesOneKeyDownPerCharacter)
{
    PushText("\xC3\xA4z");
    Pump();
    EXPECT_EQ(Kinds(), std::vector<EventType>(2, EventType::KeyDown));
    EXPECT_EQ(events->GetUnicodeText(), "z");
}

TEST_F(EventManagerTest, TextThatDoesNotDirectlyFollowAKeyPressIsAPressOfItsOwn)
{
    PushKey(SDL_KEYDOWN, SDLK_b);
    PushMotion(1, 1);
    PushText("b");
    Pump();
    EXPECT_EQ(Kinds(), (std::vector<EventType>{EventType::KeyDown, EventType::MouseMove, EventType::KeyDown}));
}

// Codes 32..122 come back as the character, 160..255 as two UTF-8 bytes, every other code as nothing.
TEST_F(EventManagerTest, TheUnicodeTextCoversOnlyItsTwoRanges)
{
    const std::vector<std::pair<std::string, std::string>> cases{{" ", " "},
                                                                 {"z", "z"},
                                                                 {"{", ""},
                                                                 {"~", ""},
                                                                 {"\xC2\x9F", ""},
                                                                 {"\xC2\xA0", "\xC2\xA0"},
                                                                 {"\xC3\xA4", "\xC3\xA4"},
                                                                 {"\xC3\xBF", "\xC3\xBF"},
                                                                 {"\xE2\x82\xAC", ""},
                                                                 {"\xFF", ""}};
    for (const auto& [typed, expected] : cases)
    {
        PushText(typed.c_str());
        Pump();
        EXPECT_EQ(events->GetUnicodeText(), expected) << typed;
    }
}

TEST_F(EventManagerTest, TheUnicodeTextLogsTheCode)
{
    PushText("\xC3\xA4");
    Pump();
    const Quarnel::TestSupport::LogRecorder log;
    (void)events->GetUnicodeText();
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"Unicode: 228"});
}

TEST(LegacyKeyCodes, MapSdl2KeysOntoTheClassicKeyboardState)
{
    EXPECT_EQ(LegacyKeyCode(SDLK_BACKSPACE), 8u);
    EXPECT_EQ(LegacyKeyCode(SDLK_RETURN), 13u);
    EXPECT_EQ(LegacyKeyCode(SDLK_DELETE), 127u);
    EXPECT_EQ(LegacyKeyCode(SDLK_KP_0), 256u);
    EXPECT_EQ(LegacyKeyCode(SDLK_KP_1), 257u);
    EXPECT_EQ(LegacyKeyCode(SDLK_KP_9), 265u);
    EXPECT_EQ(LegacyKeyCode(SDLK_UP), 273u);
    EXPECT_EQ(LegacyKeyCode(SDLK_F1), 282u);
    EXPECT_EQ(LegacyKeyCode(SDLK_F12), 293u);
    EXPECT_EQ(LegacyKeyCode(SDLK_F15), 296u);
    EXPECT_EQ(LegacyKeyCode(SDLK_LSHIFT), 304u);
    EXPECT_EQ(LegacyKeyCode(SDLK_UNDO), 322u);
    // Keys the classic state has no place for are not tracked, and nothing indexes past its end.
    EXPECT_EQ(LegacyKeyCode(SDLK_F24), std::nullopt);
    EXPECT_EQ(LegacyKeyCode(0xE4), std::nullopt);
    EXPECT_EQ(LegacyKeyCode(SDLK_AUDIOPLAY), std::nullopt);
    EXPECT_EQ(LegacyKeyCode(-1), std::nullopt);
}

} // namespace
