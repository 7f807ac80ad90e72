#include "GameEngine2D/Control/CameraControl.h"

#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/Camera.h"
#include "SceneTestSupport.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quarnel::SceneTests
{
namespace
{

using GameEngine2D::Control::CameraControl;
using GameEngine2D::Input::EventManager;
using GameEngine2D::Scene::Camera;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A camera at z 150 driven at speed 0.2 through its own dispatcher, fed with SDL2 events as the main
// loop would hand them over.
class CameraControlTest : public EngineTest
{
protected:
    void Wheel(int notches)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.y = notches;
        events.HandleEvent(event);
    }

    void Button(Uint32 type, Uint8 button, int x, int y)
    {
        SDL_Event event{};
        event.type = type;
        event.button.type = type;
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        events.HandleEvent(event);
    }

    void Move(int x, int y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        events.HandleEvent(event);
    }

    EventManager events;
    std::shared_ptr<Camera> camera =
        std::make_shared<Camera>("cam", Common::Point3D(0.0f, 0.0f, 150.0f), Common::Point3D(0.0f, 0.0f, 0.0f), false);
    CameraControl control{&events, camera, std::nullopt, 0.2f, 0.0f};
};

TEST_F(CameraControlTest, MissingCameraIsReportedBeforeAMissingDispatcher)
{
    EXPECT_THAT([] { CameraControl(nullptr, nullptr, std::nullopt, 0.2f, 0.0f); },
                ThrowsMessage<std::invalid_argument>(StrEq("cam is null")));
    EXPECT_THAT([&] { CameraControl(nullptr, camera, std::nullopt, 0.2f, 0.0f); },
                ThrowsMessage<std::invalid_argument>(StrEq("eventManager is null")));
}

TEST_F(CameraControlTest, WheelMovesFiveUnitsPerNotchAndStopsShortOfThreeHundred)
{
    for (int notch = 0; notch < 29; ++notch)
        Wheel(1);
    EXPECT_FLOAT_EQ(camera->GetPosition().Z(), 295.0f);
    Wheel(1);
    EXPECT_FLOAT_EQ(camera->GetPosition().Z(), 295.0f);
}

TEST_F(CameraControlTest, WheelDownStopsShortOfTen)
{
    camera->SetPosition(Common::Point3D(3.0f, 4.0f, 15.0f));
    Wheel(-1);
    EXPECT_FLOAT_EQ(camera->GetPosition().Z(), 15.0f);
    camera->SetPosition(Common::Point3D(3.0f, 4.0f, 16.0f));
    Wheel(-1);
    EXPECT_FLOAT_EQ(camera->GetPosition().Z(), 11.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), 3.0f);
}

TEST_F(CameraControlTest, LeftDragPansAgainstThePointerWithoutJumpingOnTheFirstMotion)
{
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100);
    // The first motion has no earlier pointer position: nothing moves, not even to a NaN position.
    Move(100, 100);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), 0.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().Y(), 0.0f);

    Move(110, 95);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), -2.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().Y(), 1.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().Z(), 150.0f);
    EXPECT_FLOAT_EQ(camera->GetRotation().X(), 0.0f);

    // After the release, motion only follows the pointer.
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 110, 95);
    Move(200, 200);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), -2.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().Y(), 1.0f);
}

TEST_F(CameraControlTest, RightDragTurnsAndBothButtonsPanAndTurnTogether)
{
    Move(50, 50);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 50, 50);
    Move(40, 60);
    EXPECT_FLOAT_EQ(camera->GetRotation().X(), 2.0f);
    EXPECT_FLOAT_EQ(camera->GetRotation().Y(), -2.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), 0.0f);

    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 40, 60);
    Move(45, 60);
    EXPECT_FLOAT_EQ(camera->GetRotation().X(), 1.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().X(), -1.0f);
}

} // namespace
} // namespace Quarnel::SceneTests
