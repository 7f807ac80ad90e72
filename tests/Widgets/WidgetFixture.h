#pragma once

#include "Common/Color.h"
#include "Common/Rect.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <SDL.h>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Quarnel::WidgetTests
{

namespace Scene = GameEngine2D::Scene;
namespace Widgets = GameEngine2D::Widgets;
using Common::Point3D;
using Common::Rect;

// A real engine on the offscreen driver with one panel scene and a frame at (100, 50) of 200 × 300 pixels.
// Input goes through the engine's own dispatcher as SDL2 events; drawing a frame (Draw) is what registers
// the widgets' input areas, as in the program.
class WidgetFixture : public ::testing::Test
{
protected:
    static constexpr float FrameX = 100.0f;
    static constexpr float FrameY = 50.0f;

    WidgetFixture() { scene->GetCamera()->SetOrthographic(true); }

    ~WidgetFixture() override { scene->Dispose(); }

    // The frame; `callback` gives the widgets their nodes.
    std::shared_ptr<Widgets::Frame> MakeFrame(Widgets::Frame::CreateWidgetNodeCallback callback = {},
                                              const std::string& name = "panel")
    {
        auto frame =
            std::make_shared<Widgets::Frame>(name, Rect(Point3D(FrameX, FrameY, 0.0f), Point3D(200.0f, 300.0f, 0.0f)),
                                             *scene, font, std::move(callback));
        scene->GetRoot()->AddChild(frame);
        return frame;
    }

    // A callback that gives every control an empty background and highlight node and records what it was
    // asked for.
    Widgets::Frame::CreateWidgetNodeCallback RecordingCallback()
    {
        return [this](Widgets::WidgetType type, Widgets::WidgetNodeType role,
                      Widgets::Control& control) -> std::shared_ptr<Scene::Node> {
            requests.emplace_back(type, role);
            if (role == Widgets::WidgetNodeType::Sound)
                return nullptr;
            return std::make_shared<Scene::EmptyNode>(
                control.GetName() + "_role" + std::to_string(static_cast<int>(role)), Point3D(), control.GetSize());
        };
    }

    // One frame of the program: the scene is updated and drawn.
    void Draw()
    {
        ticks += 16;
        scene->Update(ticks);
    }

    void Move(float x, float y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Sint32>(x);
        event.motion.y = static_cast<Sint32>(y);
        Input().HandleEvent(event);
    }

    // A left-button release at (x, y): the engine's Click.
    void Click(float x, float y)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONUP;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_RELEASED;
        event.button.x = static_cast<Sint32>(x);
        event.button.y = static_cast<Sint32>(y);
        Input().HandleEvent(event);
    }

    // Text typed without a key event of its own: one KeyDown per character.
    void Type(const std::string& text)
    {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        std::strncpy(event.text.text, text.c_str(), sizeof(event.text.text) - 1);
        Input().HandleEvent(event);
    }

    // Press and release of a key without text (Backspace, Return).
    void Press(SDL_Keycode key)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = key;
        SDL_FlushEvent(SDL_TEXTINPUT);
        Input().HandleEvent(event);
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        Input().HandleEvent(event);
    }

    GameEngine2D::Input::EventManager& Input() { return offscreen.Input(); }
    GameEngine2D::GameEngine& Engine() { return offscreen.Engine(); }

    TestSupport::LogRecorder log{false};
    TestSupport::OffscreenEngine offscreen;
    std::shared_ptr<Scene::Scene> scene = offscreen.Engine().CreateScene("gui");
    std::shared_ptr<GameEngine2D::Video::Font> font = std::make_shared<GameEngine2D::Video::Font>(
        "vera12", "daten//font//vera//Vera.ttf", 12, Common::Color(255, 255, 255, 255));
    std::vector<std::pair<Widgets::WidgetType, Widgets::WidgetNodeType>> requests;
    std::uint32_t ticks = 1000;
};

} // namespace Quarnel::WidgetTests
