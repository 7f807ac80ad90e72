#include "Common/Color.h"
#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <type_traits>

namespace Quarnel::Common
{
namespace
{

// Point3D must not offer in-place addition: a shared point would change under everyone holding it.
template <typename T>
concept HasPlusAssign = requires(T a, T b)
{
    a += b;
};
static_assert(!HasPlusAssign<Point3D>);
static_assert(std::is_trivially_copyable_v<Point3D>);

TEST(Point3DArithmetic, OperatorsReturnNewPointsAndLeaveOperandsUnchanged)
{
    const Point3D left(1.0f, 2.0f, 3.0f);
    const Point3D sum = left + Point3D(1.0f, 1.0f, 1.0f);
    EXPECT_EQ(sum, Point3D(2.0f, 3.0f, 4.0f));
    EXPECT_EQ(left, Point3D(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(left + Point2D(10.0f, 20.0f), Point3D(11.0f, 22.0f, 3.0f));
    EXPECT_EQ(left - Point3D(1.0f, 1.0f, 1.0f), Point3D(0.0f, 1.0f, 2.0f));
    EXPECT_EQ(left * 2.0f, Point3D(2.0f, 4.0f, 6.0f));
    EXPECT_EQ(left * Point3D(2.0f, 3.0f, 4.0f), Point3D(2.0f, 6.0f, 12.0f));
    EXPECT_EQ(left / 2.0f, Point3D(0.5f, 1.0f, 1.5f));
    EXPECT_EQ(Point3D(Point2D(4.0f, 5.0f)), Point3D(4.0f, 5.0f, 0.0f));
}

TEST(Point3DArithmetic, DivisionByZeroFollowsFloatRules)
{
    const Point3D result = Point3D(1.0f, -1.0f, 0.0f) / 0.0f;
    EXPECT_EQ(result.X(), std::numeric_limits<float>::infinity());
    EXPECT_EQ(result.Y(), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(result.Z()));
}

TEST(Point3DLength, ZeroIsExactAndPythagoreanTriplesAreExact)
{
    EXPECT_EQ(Point3D(0.0f, 0.0f, 0.0f).Length(), 0.0f);
    EXPECT_EQ(Point3D(-0.0f, 0.0f, -0.0f).Length(), 0.0f);
    EXPECT_EQ(Point3D(3.0f, 4.0f, 0.0f).Length(), 5.0f);
    EXPECT_EQ(Point3D(2.0f, 3.0f, 6.0f).Length(), 7.0f);
}

TEST(Point3DEquality, NaNMakesAPointUnequalEvenToItself)
{
    const Point3D withNaN(std::numeric_limits<float>::quiet_NaN(), 0.0f, 0.0f);
    EXPECT_FALSE(withNaN.Equals(withNaN));
    EXPECT_TRUE(Point3D(0.0f, 0.0f, 0.0f).Equals(Point3D(-0.0f, 0.0f, 0.0f)));
}

TEST(ValueTextForms, PointsAndRectsUseFiveDecimalsJoinedByBarAndSlash)
{
    EXPECT_EQ(Point3D(1.0f, 2.5f, 0.0f).ToString(), "1.00000|2.50000|0.00000");
    EXPECT_EQ(Point2D(-1.0f, 0.25f).ToString(), "-1.00000|0.25000");
    EXPECT_EQ(Rect(Point3D(1.0f, 2.0f, 3.0f), Point3D(4.0f, 5.0f, 6.0f)).ToString(),
              "1.00000|2.00000|3.00000/4.00000|5.00000|6.00000");
    EXPECT_EQ(Color(255, 0, 10, 7).ToString(), "r_255;g_0;b_10");
}

TEST(ColorChannels, BrightenClampsColourChannelsAndKeepsAlpha)
{
    EXPECT_EQ(Color(250, 10, 0, 255).Brighten(10), Color(255, 20, 10, 255));
    EXPECT_EQ(Color(250, 10, 0, 255).Brighten(-20), Color(230, 0, 0, 255));
    // Extreme amounts must clamp, not overflow.
    EXPECT_EQ(Color(250, 10, 0, 3).Brighten(std::numeric_limits<int>::max()), Color(255, 255, 255, 3));
    EXPECT_EQ(Color(250, 10, 0, 3).Brighten(std::numeric_limits<int>::min()), Color(0, 0, 0, 3));
}

TEST(ColorChannels, SubtractClampsAllFourChannelsAtZero)
{
    EXPECT_EQ(Color(0, 0, 0, 200).Subtract(Color(0, 0, 0, 64)).a, 136);
    EXPECT_EQ(Color(10, 100, 0, 50).Subtract(Color(20, 50, 1, 60)), Color(0, 50, 0, 0));
}

TEST(ColorChannels, FloatFormDividesBy255)
{
    const Color color(255, 0, 51, 255);
    EXPECT_EQ(color.R(), 1.0f);
    EXPECT_EQ(color.G(), 0.0f);
    EXPECT_FLOAT_EQ(color.B(), 0.2f);
    const std::array<float, 4> expected{1.0f, 0.0f, color.B(), 1.0f};
    EXPECT_EQ(color.ToFloatArray(), expected);
}

} // namespace
} // namespace Quarnel::Common
