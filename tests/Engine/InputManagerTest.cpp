#include "GameEngine2D/Input/InputManager.h"

#include "Support/LogRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using Quarnel::Common::Point2D;
using Quarnel::Common::Point3D;
using Quarnel::Common::Rect;
using Quarnel::GameEngine2D::Input::EventType;
using Quarnel::GameEngine2D::Input::InputHandler;
using Quarnel::GameEngine2D::Input::InputManager;
using Quarnel::GameEngine2D::Input::InputSubscription;
using Quarnel::GameEngine2D::Input::KeyState;

const KeyState noKeys{};

// Records which handler was called, in order, and with which `inside` flag.
struct Calls
{
    std::vector<std::string> names;
    std::vector<bool> insides;

    InputHandler::Callback Record(std::string name)
    {
        return [this, name](bool inside, EventType, const KeyState&, Point2D) {
            names.push_back(name);
            insides.push_back(inside);
        };
    }
};

TEST(InputManagerRegistry, AHandlerIsCalledFromTheDispatchAfterItsRegistrationInRegistrationOrder)
{
    InputManager manager("test");
    Calls calls;
    const auto a = manager.AddInputHandler(std::nullopt, calls.Record("a"));
    const auto b = manager.AddInputHandler(std::nullopt, calls.Record("b"));
    EXPECT_EQ(manager.GetHandlerCount(), 0);

    manager.Dispatch(EventType::MouseMove, noKeys, {1.0f, 1.0f});

    EXPECT_EQ(calls.names, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(manager.GetHandlerCount(), 2);
}

TEST(InputManagerRegistry, AHandlerAddedDuringADispatchIsFirstCalledForTheNextEvent)
{
    InputManager manager("test");
    Calls calls;
    InputSubscription late;
    const auto adder = manager.AddInputHandler(std::nullopt, [&](bool, EventType, const KeyState&, Point2D) {
        calls.names.push_back("adder");
        if (!late)
            late = manager.AddInputHandler(std::nullopt, calls.Record("late"));
    });

    manager.Dispatch(EventType::Click, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"adder"}));
    manager.Dispatch(EventType::Click, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"adder", "adder", "late"}));
}

TEST(InputManagerRegistry, AHandlerRemovedDuringADispatchIsCalledOneLastTimeWhenItComesLater)
{
    InputManager manager("test");
    Calls calls;
    InputSubscription later;
    const auto remover = manager.AddInputHandler(std::nullopt, [&](bool, EventType, const KeyState&, Point2D) {
        calls.names.push_back("remover");
        manager.RemoveInputHandler(later);
    });
    later = manager.AddInputHandler(std::nullopt, calls.Record("later"));

    manager.Dispatch(EventType::Click, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"remover", "later"}));
    manager.Dispatch(EventType::Click, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"remover", "later", "remover"}));
    EXPECT_EQ(manager.GetHandlerCount(), 1);
}

TEST(InputManagerRegistry, AHandlerMayRemoveItselfWhileItIsCalled)
{
    InputManager manager("test");
    int calls = 0;
    InputSubscription self;
    self = manager.AddInputHandler(std::nullopt, [&](bool, EventType, const KeyState&, Point2D) {
        ++calls;
        manager.RemoveInputHandler(self);
    });
    manager.Dispatch(EventType::KeyDown, noKeys, {});
    manager.Dispatch(EventType::KeyDown, noKeys, {});
    manager.Dispatch(EventType::KeyDown, noKeys, {});
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(manager.GetHandlerCount(), 0);
}

TEST(InputManagerRegistry, TheSameCallbackAddedTwiceIsCalledTwiceAndOneRemovalRemovesOne)
{
    InputManager manager("test");
    Calls calls;
    const auto callback = calls.Record("same");
    const auto first = manager.AddInputHandler(std::nullopt, callback);
    const auto second = manager.AddInputHandler(std::nullopt, callback);
    manager.Dispatch(EventType::MouseMove, noKeys, {});
    EXPECT_EQ(calls.names.size(), 2u);

    manager.RemoveInputHandler(first);
    manager.Dispatch(EventType::MouseMove, noKeys, {});
    EXPECT_EQ(calls.names.size(), 3u);
}

TEST(InputManagerRegistry, RemovingAHandlerThatWasNeverActiveChangesNothing)
{
    InputManager manager("test");
    Calls calls;
    const auto kept = manager.AddInputHandler(std::nullopt, calls.Record("kept"));
    InputManager other("other");
    const auto stranger = other.AddInputHandler(std::nullopt, calls.Record("stranger"));
    manager.RemoveInputHandler(stranger);
    manager.RemoveInputHandler(InputSubscription());
    manager.Dispatch(EventType::MouseMove, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"kept"}));
}

TEST(InputManagerRegistry, AHandlerRemovedBeforeItBecameActiveIsNeverCalled)
{
    InputManager manager("test");
    Calls calls;
    const auto handler = manager.AddInputHandler(std::nullopt, calls.Record("gone"));
    manager.RemoveInputHandler(handler);
    manager.Dispatch(EventType::MouseMove, noKeys, {});
    manager.Dispatch(EventType::MouseMove, noKeys, {});
    EXPECT_TRUE(calls.names.empty());
    EXPECT_EQ(manager.GetHandlerCount(), 0);
}

TEST(InputManagerRegistry, AHandlerThatThrowsEndsTheDispatchButNotTheRegistry)
{
    InputManager manager("test");
    Calls calls;
    bool fail = true;
    const auto failing = manager.AddInputHandler(std::nullopt, [&](bool, EventType, const KeyState&, Point2D) {
        if (fail)
            throw std::runtime_error("handler failed");
    });
    const auto after = manager.AddInputHandler(std::nullopt, calls.Record("after"));
    EXPECT_THROW(manager.Dispatch(EventType::Click, noKeys, {}), std::runtime_error);
    EXPECT_TRUE(calls.names.empty());

    // Registrations made after the failure still take effect at the next dispatch.
    fail = false;
    const auto added = manager.AddInputHandler(std::nullopt, calls.Record("new"));
    manager.Dispatch(EventType::Click, noKeys, {});
    EXPECT_EQ(calls.names, (std::vector<std::string>{"after", "new"}));
}

// A registration that goes takes its handler out at once: its owner may be gone, so it is not called again, not even
// later in the dispatch that is running; and it may outlive the registry.
TEST(InputSubscriptionLifetime, AHandlerWhoseSubscriptionGoesIsNeverCalledAgain)
{
    Calls calls;
    InputSubscription outliving;
    {
        InputManager manager("test");
        InputSubscription later;
        const auto dropper = manager.AddInputHandler(std::nullopt, [&](bool, EventType, const KeyState&, Point2D) {
            calls.names.push_back("dropper");
            later.Reset();
        });
        later = manager.AddInputHandler(std::nullopt, calls.Record("later"));
        outliving = manager.AddInputHandler(std::nullopt, calls.Record("outliving"));
        manager.Dispatch(EventType::Click, noKeys, {});
        EXPECT_EQ(calls.names, (std::vector<std::string>{"dropper", "outliving"}));
        EXPECT_EQ(manager.GetHandlerCount(), 2);
    }
    outliving.Reset();
}

TEST(InputManagerRegistration, LogsTheRegistryAndTheAreaAndRefusesAMissingCallback)
{
    const Quarnel::TestSupport::LogRecorder log;
    InputManager manager("Main Input Handler");
    const auto handler =
        manager.AddInputHandler(Rect(Point3D(1.0f, 2.0f, 0.0f), Point3D(3.0f, 4.5f, 0.0f)), Calls().Record("x"));
    EXPECT_THAT([&] { (void)manager.AddInputHandler(std::nullopt, nullptr); },
                ::testing::ThrowsMessage<std::invalid_argument>(::testing::StrEq("onInput")));
    EXPECT_EQ(log.Texts(),
              (std::vector<std::string>{
                  "AddInputHandler in Main Input Handler, space: 1.00000|2.00000|0.00000/3.00000|4.50000|0.00000",
                  "AddInputHandler in Main Input Handler, space: all"}));
}

// The pointer is inside only strictly between the area's borders; without an area it is never inside.
TEST(InputHandlerArea, APointerOnTheBorderIsOutside)
{
    InputManager manager("test");
    Calls calls;
    const auto area =
        manager.AddInputHandler(Rect(Point3D(10.0f, 20.0f, 0.0f), Point3D(30.0f, 40.0f, 0.0f)), calls.Record("area"));
    const auto window = manager.AddInputHandler(std::nullopt, calls.Record("window"));
    const std::vector<Point2D> pointers{{11.0f, 21.0f}, {39.5f, 59.5f}, {10.0f, 30.0f}, {40.0f, 30.0f},
                                        {20.0f, 20.0f}, {20.0f, 60.0f}, {5.0f, 30.0f}};
    for (const Point2D pointer : pointers)
        manager.Dispatch(EventType::Click, noKeys, pointer);

    const std::vector<bool> areaInsides{true, true, false, false, false, false, false};
    for (std::size_t index = 0; index < pointers.size(); ++index)
    {
        EXPECT_EQ(calls.insides[2 * index], areaInsides[index]) << pointers[index].ToString();
        EXPECT_FALSE(calls.insides[2 * index + 1]);
    }
}

TEST(InputHandlerArea, ANewAreaCountsFromTheNextEvent)
{
    InputManager manager("test");
    Calls calls;
    const auto handler = manager.AddInputHandler(std::nullopt, calls.Record("h"));
    manager.Dispatch(EventType::Click, noKeys, {5.0f, 5.0f});
    handler->SetSpace(Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(10.0f, 10.0f, 0.0f)));
    manager.Dispatch(EventType::Click, noKeys, {5.0f, 5.0f});
    EXPECT_EQ(calls.insides, (std::vector<bool>{false, true}));
}

} // namespace
