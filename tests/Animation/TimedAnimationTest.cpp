#include "Animation/RunningClock.h"
#include "GameEngine2D/Animation/AnimationConnector.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Animation/AnimationTimer.h"
#include "GameEngine2D/Animation/TimedAnimationConnector.h"
#include "GameEngine2D/Animation/TimedAnimationList.h"
#include "GameEngine2D/Animation/TimedAnimationStarter.h"

#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using namespace Quarnel::GameEngine2D::Animation;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

// The shared clock plus a record of what happened, with the clock time: "A start 10016".
struct RunningClock : AnimationTesting::RunningClock
{
    std::vector<std::string> log;

    void Note(const std::string& what) { log.push_back(what + " " + std::to_string(manager.GetTime())); }
};

// Runs until stopped and writes its start and stop into the clock's log.
class Probe : public Animation
{
public:
    Probe(RunningClock& target, std::string label) : Animation(false), clock(target), name(std::move(label)) {}

protected:
    void OnStart() override { clock.Note(name + " start"); }
    void Animate(std::uint32_t) override {}
    void OnStop() override { clock.Note(name + " stop"); }

private:
    RunningClock& clock;
    std::string name;
};

void NoteOn(Animation::NotifyAddHandler& event, RunningClock& clock, const std::string& what)
{
    event.Add(Quarnel::Common::Handler<>([&clock, what] { clock.Note(what); }));
}

TEST(TimedAnimationList, RunsItsScriptOnTheStepsAfterEachTime)
{
    RunningClock clock;
    clock.AdvanceTo(10000);
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(std::make_shared<Probe>(clock, "A"), 0, 0);
    list->AddAnimation(std::make_shared<Probe>(clock, "B"), 500, 2000);
    NoteOn(list->Finished(), clock, "finished");
    list->Start(clock.manager);
    clock.Frames(200);
    EXPECT_EQ(clock.log,
              (std::vector<std::string>{"A start 10016", "B start 10512", "B stop 12512", "finished 12528"}));
    EXPECT_FALSE(list->IsRunning());
}

TEST(TimedAnimationList, EmptyListFinishesOnItsFirstStep)
{
    RunningClock clock;
    auto list = std::make_shared<TimedAnimationList>();
    NoteOn(list->Finished(), clock, "finished");
    list->Start(clock.manager);
    clock.Frames(3);
    EXPECT_EQ(clock.log, (std::vector<std::string>{"finished 16"}));
}

TEST(TimedAnimationList, EntryWhoseAnimationStopsAtOnceIsDoneAfterItsStart)
{
    RunningClock clock;
    auto timer = std::make_shared<AnimationTimer>(0);
    NoteOn(timer->Stopped(), clock, "timer stopped");
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(timer, 100, 0);
    NoteOn(list->Finished(), clock, "finished");
    list->Start(clock.manager);
    clock.Frames(20);
    EXPECT_EQ(clock.log, (std::vector<std::string>{"finished 128", "timer stopped 128"}));
}

TEST(TimedAnimationList, StoppingHalfwayLeavesStartedAnimationsRunning)
{
    RunningClock clock;
    auto first = std::make_shared<Probe>(clock, "A");
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(first, 0, 1000);
    list->AddAnimation(std::make_shared<Probe>(clock, "B"), 500, 0);
    list->Start(clock.manager);
    clock.Frames(3);
    list->Stop();
    clock.Frames(100);
    EXPECT_TRUE(first->IsRunning());
    EXPECT_EQ(clock.log, (std::vector<std::string>{"A start 16"}));
}

TEST(TimedAnimationList, RestartRunsTheScriptAgain)
{
    RunningClock clock;
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(std::make_shared<AnimationTimer>(10), 0, 0);
    int finishes = 0;
    list->Finished().Add(Quarnel::Common::Handler<>([&finishes] { ++finishes; }));
    list->Start(clock.manager);
    clock.Frames(5);
    list->Start(clock.manager);
    clock.Frames(5);
    EXPECT_EQ(finishes, 2);
}

TEST(TimedAnimationStarter, RefusesAMissingAnimation)
{
    EXPECT_THAT([] { TimedAnimationStarter(nullptr, 0, 0); },
                ThrowsMessage<std::invalid_argument>(StrEq("animation is null")));
}

TEST(TimedAnimationStarter, LongDurationDoesNotWrapAround)
{
    RunningClock clock;
    auto probe = std::make_shared<Probe>(clock, "A");
    TimedAnimationStarter starter(probe, 10, 0xFFFFFFFFu);
    starter.Check(11, clock.manager);
    starter.Check(20, clock.manager);
    EXPECT_TRUE(probe->IsRunning());
    EXPECT_TRUE(starter.IsPending());
}

TEST(AnimationConnector, StartsTheAnimationInTheStepTheTriggerFires)
{
    RunningClock clock;
    auto first = std::make_shared<AnimationTimer>(20);
    auto second = std::make_shared<Probe>(clock, "B");
    NoteOn(first->Stopped(), clock, "A stopped");
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(first, 0, 0);
    list->AddConnector(second, first->Stopped());
    list->Start(clock.manager);
    clock.Frames(10);
    EXPECT_EQ(clock.log, (std::vector<std::string>{"A stopped 48", "B start 48"}));
    EXPECT_TRUE(second->IsRunning());
}

TEST(AnimationConnector, TriggerBeforeTheListStartedIsAnError)
{
    RunningClock clock;
    auto first = std::make_shared<AnimationTimer>(0);
    auto list = std::make_shared<TimedAnimationList>();
    list->AddConnector(std::make_shared<Probe>(clock, "B"), first->Stopped());
    first->Start(clock.manager);
    EXPECT_THAT([&] { clock.Frame(); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("animationManager is null, AnimationConnector kann nicht gestartet werden.")));

    Quarnel::Common::Event<> trigger;
    TimedAnimationConnector connector(
        std::make_shared<TimedAnimationStarter>(std::make_shared<Probe>(clock, "D"), 0, 0), trigger.GetAddHandler());
    EXPECT_THAT([&] { trigger.Call(); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("animationManager is null, TimedAnimationConnector kann nicht gestartet werden.")));
}

TEST(AnimationConnector, ConnectorGoneBeforeItsTriggerDoesNothing)
{
    RunningClock clock;
    auto second = std::make_shared<Probe>(clock, "B");
    Quarnel::Common::Event<> trigger;
    {
        AnimationConnector connector(second, trigger.GetAddHandler());
        connector.SetManager(clock.manager);
    }
    trigger.Call();
    EXPECT_FALSE(second->IsRunning());
}

TEST(TimedAnimationConnector, StartsTheAnimationItsDelayAfterTheTrigger)
{
    RunningClock clock;
    auto first = std::make_shared<AnimationTimer>(30);
    NoteOn(first->Stopped(), clock, "A stopped");
    auto list = std::make_shared<TimedAnimationList>();
    list->AddAnimation(first, 0, 0);
    list->AddTimedConnector(std::make_shared<TimedAnimationStarter>(std::make_shared<Probe>(clock, "B"), 100, 0),
                            first->Stopped());
    list->Start(clock.manager);
    clock.Frames(20);
    // A starts at 16 and stops at 48; the connector steps from 64 on and starts B once more than 100 ms passed.
    EXPECT_EQ(clock.log, (std::vector<std::string>{"A stopped 48", "B start 160"}));
    EXPECT_EQ(clock.manager.Count(), 1);
}

} // namespace
