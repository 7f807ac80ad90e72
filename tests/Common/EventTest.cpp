#include "Common/Event.h"

#include "Common/EventAddHandler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace Quarnel::Common
{
namespace
{

using ::testing::ElementsAre;
using Trace = std::vector<std::string>;

// A subscriber that records its calls into a shared trace and can run an action when called.
struct Recorder
{
    std::string name;
    Trace* trace;
    std::function<void()> onCall;

    void Handle()
    {
        trace->push_back(name);
        if (onCall)
            onCall();
    }
    void HandleOther() { trace->push_back(name + "'"); }
};

using Plain = Event<>;

Handler<> HandlerOf(Recorder& recorder)
{
    return Handler<>::Bind<&Recorder::Handle>(recorder);
}

TEST(EventHandlerIdentity, SameObjectAndMethodAreTheSameHandler)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    EXPECT_TRUE(HandlerOf(a) == HandlerOf(a));
    EXPECT_FALSE(HandlerOf(a) == HandlerOf(b));
    EXPECT_FALSE(HandlerOf(a) == (Handler<>::Bind<&Recorder::HandleOther>(a)));
    // Without a key a callable equals nothing, not even a copy of itself.
    const Handler<> unkeyed([] {});
    EXPECT_FALSE(unkeyed == unkeyed);
}

TEST(EventAddAndRemove, DuplicateAddKeepsOneEntryButCountsTwice)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Plain event;
    event.Add(HandlerOf(a));
    event.GetAddHandler().Add(HandlerOf(a));
    EXPECT_EQ(event.Count(), 2);
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a"));
}

TEST(EventAddAndRemove, RemovingAnUnknownHandlerOnlyLowersTheCount)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Plain event;
    event.Add(HandlerOf(a));
    event.GetAddHandler().Remove(HandlerOf(b));
    event.Remove(HandlerOf(b));
    EXPECT_EQ(event.GetAddHandler().Count(), -1);
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a"));
}

TEST(EventAddAndRemove, ReaddedHandlerMovesToTheEnd)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Plain event;
    event.Add<&Recorder::Handle>(&a);
    event.Add<&Recorder::Handle>(&b);
    event.Remove<&Recorder::Handle>(&a);
    event.Add<&Recorder::Handle>(&a);
    event.Call();
    EXPECT_THAT(trace, ElementsAre("b", "a"));
}

TEST(EventAddAndRemove, KeyedCallableCanBeRemoved)
{
    int calls = 0;
    int owner = 0;
    Plain event;
    event.Add(Handler<>([&calls] { ++calls; }, &owner));
    event.Remove(Handler<>([] {}, &owner));
    event.Call();
    EXPECT_EQ(calls, 0);
}

TEST(EventCall, PassesArgumentsToEveryHandlerInAttachmentOrder)
{
    std::vector<std::pair<int, float>> seen;
    int first = 0;
    int second = 0;
    Event<int, float> event;
    event.Add(Handler<int, float>([&](int i, float f) { seen.emplace_back(i, f); }, &first));
    event.Add(Handler<int, float>([&](int i, float f) { seen.emplace_back(i * 10, f); }, &second));
    event.Call(3, 0.5f);
    EXPECT_THAT(seen, ElementsAre(std::pair(3, 0.5f), std::pair(30, 0.5f)));
    Event<> empty;
    EXPECT_NO_THROW(empty.Call());
}

TEST(EventDuringCall, HandlerAddedDuringACallRunsFromTheNextCallAfterTheOthers)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Recorder c{"c", &trace, {}};
    Plain event;
    a.onCall = [&] { event.Add(HandlerOf(b)); };
    event.Add(HandlerOf(a));
    event.Add(HandlerOf(c));
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "c"));
    trace.clear();
    a.onCall = nullptr;
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "c", "b"));
}

TEST(EventDuringCall, HandlerRemovedBeforeItsTurnIsSkipped)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder c{"c", &trace, {}};
    Plain event;
    a.onCall = [&] { event.Remove(HandlerOf(c)); };
    event.Add(HandlerOf(a));
    event.Add(HandlerOf(c));
    event.Call();
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "a"));
}

TEST(EventDuringCall, HandlerMayRemoveItselfWhileRunning)
{
    Trace trace;
    Plain event;
    // The removed callable's captures must stay alive until it returns (AddressSanitizer checks this).
    auto payload = std::make_shared<std::string>("self");
    int key = 0;
    event.Add(Handler<>(
        [&, payload] {
            event.Remove(Handler<>([] {}, &key));
            trace.push_back(*payload);
        },
        &key));
    payload.reset();
    event.Call();
    event.Call();
    EXPECT_THAT(trace, ElementsAre("self"));
}

TEST(EventDuringCall, HandlerThatAddsItselfIsAttachedTwiceAfterTheCall)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Plain event;
    a.onCall = [&] { event.Add(HandlerOf(a)); };
    event.Add(HandlerOf(a));
    event.Call();
    a.onCall = nullptr;
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "a", "a"));
}

TEST(EventDuringCall, RemovingAHandlerThatWasAddedInTheSameCallLeavesItAttached)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Plain event;
    a.onCall = [&] {
        event.Add(HandlerOf(b));
        event.Remove(HandlerOf(b));
    };
    event.Add(HandlerOf(a));
    event.Call();
    a.onCall = nullptr;
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "a", "b"));
    EXPECT_EQ(event.Count(), 1);
}

TEST(EventDuringCall, NestedCallOfTheSameEventDoesNotDeadlockOrCrash)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Plain event;
    int depth = 0;
    a.onCall = [&] {
        if (depth++ == 0)
        {
            event.Remove(HandlerOf(a));
            event.Call();
        }
    };
    event.Add(HandlerOf(a));
    event.Add(HandlerOf(b));
    event.Call();
    // The inner call compacts the list to [b] and the outer walk continues at index 1, past its end.
    EXPECT_THAT(trace, ElementsAre("a", "b"));
}

TEST(EventThrowingHandler, ErrorEndsTheCallAndLaterAddsWaitForACompletedCall)
{
    Trace trace;
    Recorder a{"a", &trace, {}};
    Recorder b{"b", &trace, {}};
    Recorder c{"c", &trace, {}};
    Plain event;
    a.onCall = [] { throw std::runtime_error("boom"); };
    event.Add(HandlerOf(a));
    event.Add(HandlerOf(b));
    EXPECT_THROW(event.Call(), std::runtime_error);
    EXPECT_THAT(trace, ElementsAre("a"));

    // The event still counts as calling: this addition is deferred, not attached.
    event.Add(HandlerOf(c));
    a.onCall = nullptr;
    trace.clear();
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "b"));
    trace.clear();
    event.Call();
    EXPECT_THAT(trace, ElementsAre("a", "b", "c"));
}

TEST(EventLocking, HandlersMayRaiseOtherEventsOfTheSameArgumentList)
{
    Trace trace;
    Recorder inner{"inner", &trace, {}};
    Plain first;
    Plain second;
    second.Add(HandlerOf(inner));
    int key = 0;
    first.Add(Handler<>([&] { second.Call(); }, &key));
    first.Call();
    EXPECT_THAT(trace, ElementsAre("inner"));
}

} // namespace
} // namespace Quarnel::Common
