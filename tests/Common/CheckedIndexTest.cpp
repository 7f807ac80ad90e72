#include "Common/CheckedIndex.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace Quarnel::Common
{
namespace
{

TEST(CheckedAt, AcceptsExactlyTheIndicesInsideTheList)
{
    std::vector<int> items{10, 20, 30};
    EXPECT_EQ(CheckedAt(items, 0, "bad index"), 10);
    EXPECT_EQ(CheckedAt(items, 2, "bad index"), 30);
    CheckedAt(items, 1, "bad index") = 25;
    EXPECT_EQ(items[1], 25);
    for (const std::ptrdiff_t index : {-1, 3})
        EXPECT_THAT([&] { (void)CheckedAt(items, index, "bad index"); },
                    ::testing::ThrowsMessage<std::out_of_range>(::testing::StrEq("bad index")));
    // A message made by a callable is made only when the index fails.
    int made = 0;
    const auto message = [&made] { return "index " + std::to_string(++made); };
    EXPECT_EQ(CheckedAt(items, 1, message), 25);
    EXPECT_THAT([&] { (void)CheckedAt(items, 3, message); },
                ::testing::ThrowsMessage<std::out_of_range>(::testing::StrEq("index 1")));
}

TEST(FindIndex, GivesTheFirstMatchOrNothing)
{
    const std::vector<int> items{1, 2, 2};
    EXPECT_EQ(FindIndex(items, [](int value) { return value == 2; }), 1u);
    EXPECT_EQ(FindIndex(items, [](int value) { return value == 5; }), std::nullopt);
}

} // namespace
} // namespace Quarnel::Common
