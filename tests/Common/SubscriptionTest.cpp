#include "Common/Event.h"
#include "Common/WalkedList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Quarnel::Common
{
namespace
{

using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(EventSubscription, DetachesWhenItGoesAndCountsLikeAddAndRemove)
{
    Event<int> event;
    std::vector<int> seen;
    {
        const Subscription subscription = event.Subscribe([&seen](int value) { seen.push_back(value); });
        EXPECT_EQ(event.Count(), 1);
        event.Call(1);
    }
    EXPECT_EQ(event.Count(), 0);
    event.Call(2);
    EXPECT_THAT(seen, ElementsAre(1));
}

TEST(EventSubscription, EitherSideMayGoFirst)
{
    Subscription outliving;
    {
        Event<> event;
        outliving = event.Subscribe([] {});
        EXPECT_TRUE(outliving.IsActive());
    }
    EXPECT_FALSE(outliving.IsActive());
    outliving.Reset();

    // A handler may destroy the very event that calls it; the rest of the call still runs safely.
    auto owned = std::make_unique<Event<>>();
    int later = 0;
    const Subscription first = owned->Subscribe([&owned] { owned.reset(); });
    const Subscription second = owned->Subscribe([&later] { ++later; });
    owned->Call();
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(later, 1);
}

TEST(EventSubscription, ASubscriptionDroppedDuringACallIsNotCalledLaterInIt)
{
    Event<> event;
    std::vector<std::string> calls;
    Subscription victim;
    const Subscription dropper = event.Subscribe([&] {
        calls.push_back("dropper");
        victim.Reset();
    });
    victim = event.Subscribe([&calls] { calls.push_back("victim"); });
    // One added during the call and dropped in it as well never joins.
    Subscription passing;
    const Subscription adder = event.Subscribe([&] {
        passing = event.Subscribe([&calls] { calls.push_back("passing"); });
        passing.Reset();
    });
    event.Call();
    event.Call();
    EXPECT_THAT(calls, ElementsAre("dropper", "dropper"));
    EXPECT_EQ(event.Count(), 2);
}

TEST(WalkedListRefusingChanges, AVisitThatAddsOrRemovesEndsTheWalk)
{
    WalkedList<int> list;
    list.Add(std::make_shared<int>(1));
    list.Add(std::make_shared<int>(2));
    std::vector<int> visited;
    EXPECT_THAT(
        [&] {
            list.ForEach([&](int value) {
                visited.push_back(value);
                list.Add(std::make_shared<int>(3));
            });
        },
        ThrowsMessage<std::runtime_error>(StrEq("Collection modified during iteration")));
    EXPECT_THAT(visited, ElementsAre(1));

    visited.clear();
    EXPECT_THAT(
        [&] {
            list.ForEach([&](int value) {
                visited.push_back(value);
                list.Remove([](int entry) { return entry == 3; });
            });
        },
        ThrowsMessage<std::runtime_error>(StrEq("Collection modified during iteration")));
    EXPECT_EQ(list.Size(), 2u);
}

TEST(WalkedListDeferringAdditions, ClearingDuringAWalkEndsItWithoutReadingPastTheEnd)
{
    WalkedList<int> list(WhileWalked::DeferAdditions);
    for (int value = 1; value <= 3; ++value)
        list.Add(std::make_shared<int>(value));
    std::vector<int> visited;
    list.ForEach([&](int value) {
        visited.push_back(value);
        list.Clear();
        list.Add(std::make_shared<int>(10));
    });
    EXPECT_THAT(visited, ElementsAre(1));
    EXPECT_THAT(list.Items(), ElementsAre(::testing::Pointee(10)));
}

} // namespace
} // namespace Quarnel::Common
