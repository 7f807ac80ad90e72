#include "Common/Helper.h"

#include "Support/LogRecorder.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>

namespace Quarnel::Common
{
namespace
{

using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using LogCapture = TestSupport::LogRecorder;

TEST(FloatToString, WritesFiveDecimalsRoundingHalfUpFromOneTenth)
{
    EXPECT_EQ(Helper::FloatToString(1.5f), "1.50000");
    EXPECT_EQ(Helper::FloatToString(0.0f), "0.00000");
    EXPECT_EQ(Helper::FloatToString(-2.25f), "-2.25000");
    EXPECT_EQ(Helper::FloatToString(0.123456f), "0.12346");
    EXPECT_EQ(Helper::FloatToString(123.456f), "123.45600");
    // 0.203125 is exact in binary and lies exactly halfway: half up, not to even as printf would.
    EXPECT_EQ(Helper::FloatToString(0.203125f), "0.20313");
    EXPECT_EQ(Helper::FloatToString(9.999996f), "10.00000");
    EXPECT_EQ(Helper::FloatToString(9999998976.0f), "9999998976.00000");
}

TEST(FloatToString, BelowOneTenthTheDigitsAreInEffectCut)
{
    EXPECT_EQ(Helper::FloatToString(0.0123456f), "0.01234");
    // Exactly 0.015625 would round up to 0.01563; below 0.1 the term is a tenth as large.
    EXPECT_EQ(Helper::FloatToString(0.015625f), "0.01562");
    EXPECT_EQ(Helper::FloatToString(0.000001f), "0.00000");
    EXPECT_EQ(Helper::FloatToString(0.00009f), "0.00009");
}

TEST(FloatToString, SignBitAlwaysShows)
{
    EXPECT_EQ(Helper::FloatToString(-0.0f), "-0.00000");
    EXPECT_EQ(Helper::FloatToString(-0.000001f), "-0.00000");
}

TEST(FloatToString, LargeAndTinyMagnitudesUseTheExponentForm)
{
    EXPECT_EQ(Helper::FloatToString(1.5e12f), "1.50000e+12");
    EXPECT_EQ(Helper::FloatToString(1e10f), "1.00000e+10");
    EXPECT_EQ(Helper::FloatToString(-3e20f), "-3.00000e+20");
    EXPECT_EQ(Helper::FloatToString(std::numeric_limits<float>::max()), "3.40282e+38");
    // The rounding term is sized for the fixed form: for tiny values it lands on the sixth significant digit
    // (1.4012984e-45 + 5e-50, 5.0000001e-11 + 5e-16).
    EXPECT_EQ(Helper::FloatToString(std::numeric_limits<float>::denorm_min()), "1.40134e-45");
    EXPECT_EQ(Helper::FloatToString(5e-11f), "5.00005e-11");
    // Just above 10^-10 still reads in the fixed form.
    EXPECT_EQ(Helper::FloatToString(2e-10f), "0.00000");
}

TEST(FloatToString, NonFiniteValuesHaveWordForms)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Helper::FloatToString(nan), "nan");
    EXPECT_EQ(Helper::FloatToString(-nan), "-nan");
    EXPECT_EQ(Helper::FloatToString(inf), "inf");
    EXPECT_EQ(Helper::FloatToString(-inf), "-inf");
}

TEST(ToInt, ReadsSignsBasesAndStopsAtTheFirstForeignCharacter)
{
    EXPECT_EQ(Helper::ToInt("1"), 1);
    EXPECT_EQ(Helper::ToInt("+1"), 1);
    EXPECT_EQ(Helper::ToInt("-1"), -1);
    EXPECT_EQ(Helper::ToInt(" \t 1"), 1);
    EXPECT_EQ(Helper::ToInt("- + -12"), -12);
    EXPECT_EQ(Helper::ToInt("12abc"), 12);
    EXPECT_EQ(Helper::ToInt("0x1F"), 31);
    EXPECT_EQ(Helper::ToInt("0XfG"), 15);
    EXPECT_EQ(Helper::ToInt("0b1012"), 5);
    EXPECT_EQ(Helper::ToInt("0o778"), 63);
    EXPECT_EQ(Helper::ToInt("-0x10"), -16);
    EXPECT_EQ(Helper::ToInt("0012"), 12);
}

TEST(ToInt, TextsWithoutDigitsReadZero)
{
    for (const char* text : {"", "0", "true", "yes", "off", "-", "0x", " "})
        EXPECT_EQ(Helper::ToInt(text), 0) << text;
}

TEST(ToInt, OverflowWrapsModulo2To64)
{
    EXPECT_EQ(Helper::ToInt("18446744073709551615"), -1);
    EXPECT_EQ(Helper::ToInt("18446744073709551616"), 0);
    EXPECT_EQ(Helper::ToInt("0x1FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(Helper::ToInt("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
}

TEST(ToFloat, ReadsDecimalFractionAndExponentLeniently)
{
    EXPECT_EQ(Helper::ToFloat("1.5"), 1.5f);
    EXPECT_EQ(Helper::ToFloat("  -2.5e3x"), -2500.0f);
    EXPECT_EQ(Helper::ToFloat(".5"), 0.5f);
    EXPECT_EQ(Helper::ToFloat("5."), 5.0f);
    EXPECT_EQ(Helper::ToFloat("1e"), 1.0f);
    EXPECT_EQ(Helper::ToFloat("1e+"), 1.0f);
    EXPECT_EQ(Helper::ToFloat("2E-1"), 0.2f);
    EXPECT_EQ(Helper::ToFloat("0.0123456"), 0.0123456f);
}

TEST(ToFloat, BasePrefixesReadIntegers)
{
    EXPECT_EQ(Helper::ToFloat("0x10"), 16.0f);
    EXPECT_EQ(Helper::ToFloat("-0b11"), -3.0f);
    EXPECT_EQ(Helper::ToFloat("0o17.5"), 15.0f);
}

TEST(ToFloat, OutOfRangeAndDigitlessTexts)
{
    EXPECT_EQ(Helper::ToFloat("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(Helper::ToFloat("-1e39"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(Helper::ToFloat("1e-999"), 0.0f);
    EXPECT_EQ(Helper::ToFloat("0.000000000000000000000000000000000000000000000000000001"), 0.0f);
    EXPECT_EQ(Helper::ToFloat("1e99999999999999999999999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(Helper::ToFloat("3.4028235e38"), std::numeric_limits<float>::max());
    for (const char* text : {"", "abc", "-", ".", "e5", "nan", "inf"})
    {
        const float value = Helper::ToFloat(text);
        EXPECT_EQ(value, 0.0f) << text;
        EXPECT_FALSE(std::signbit(value)) << text;
    }
}

TEST(ToFloat, RoundsOnceStraightToFloat)
{
    // Just below halfway between the largest float and 2^128: through double it would become the halfway
    // value and then infinity.
    EXPECT_EQ(Helper::ToFloat("340282356779733661637539395458142568447"), std::numeric_limits<float>::max());
    EXPECT_EQ(Helper::ToFloat("340282356779733661637539395458142568448"), std::numeric_limits<float>::infinity());
    // 2^53 + 2^29 + 1 lies just above halfway between two floats; double rounds it down onto the halfway point.
    EXPECT_EQ(Helper::ToFloat("9007199791611905"), 9007200328482816.0f);
    EXPECT_EQ(Helper::ToFloat("0x20000020000001"), 9007200328482816.0f);
}

// The number fields' readings: the whole text is one number or there is no value; beyond the range, the limit.
TEST(FieldReadings, IntegersAreWholeTextOrNothing)
{
    EXPECT_EQ(Helper::ParseInteger(" 042\t"), 42);
    EXPECT_EQ(Helper::ParseInteger("+7"), 7);
    EXPECT_EQ(Helper::ParseInteger("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Helper::ParseInteger("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Helper::ParseInteger("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
    // Trailing text counts before the size: this is no number at all, not a large one.
    for (const char* text : {"9999999999999999999f", "12abc", "", " ", "+", "+-1", "-+1", "1 2", "0x10", "1.0"})
        EXPECT_EQ(Helper::ParseInteger(text), std::nullopt) << text;
}

TEST(FieldReadings, FloatsAreWholeTextOrNothingAndRoundOnce)
{
    constexpr float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(Helper::ParseFloat("1.5"), 1.5f);
    EXPECT_EQ(Helper::ParseFloat(" +.5e1 "), 5.0f);
    EXPECT_EQ(Helper::ParseFloat("9007199791611905"), 9007200328482816.0f);
    EXPECT_EQ(Helper::ParseFloat("340282356779733661637539395458142568447"), largest);
    // However far beyond the range: the largest float of that sign; below the smallest: zero.
    EXPECT_EQ(Helper::ParseFloat("1e39"), largest);
    EXPECT_EQ(Helper::ParseFloat("1e400"), largest);
    EXPECT_EQ(Helper::ParseFloat("-1e400"), -largest);
    EXPECT_EQ(Helper::ParseFloat("1e-400"), 0.0f);
    EXPECT_TRUE(std::signbit(*Helper::ParseFloat("-0")));
    for (const char* text : {"1e", "1e+", ".", "", "-", "inf", "nan", "0x10", "1.5f", "+-1", "1e5.0"})
        EXPECT_EQ(Helper::ParseFloat(text), std::nullopt) << text;
}

TEST(Stringz, ToStringzAppendsOneZeroUnlessPresentAndLogs)
{
    LogCapture log;
    using namespace std::string_literals;
    EXPECT_EQ(Helper::ToStringz("abc"), "abc\0"s);
    EXPECT_EQ(Helper::ToStringz("abc\0"s), "abc\0"s);
    EXPECT_EQ(Helper::ToStringz(""), "\0"s);
    EXPECT_EQ(log.Texts().front(), "toStringz: abc");
}

TEST(Stringz, FromStringzStopsAtTheFirstZeroAndAcceptsNull)
{
    const char text[] = {'a', 'b', '\0', 'c', '\0'};
    EXPECT_EQ(Helper::FromStringz(text), "ab");
    EXPECT_EQ(Helper::FromStringz(nullptr), "");
}

TEST(HelperErrors, CheckNullWritesAWarningThenRaisesInvalidArgument)
{
    LogCapture log(false);
    EXPECT_THAT([] { Helper::CheckNull("scene"); }, ThrowsMessage<std::invalid_argument>(StrEq("scene is null")));
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_THAT(log.Lines()[0], ::testing::MatchesRegex("Warn  Warning - [0-9:.]+ Warning\\| scene is null"));
}

TEST(HelperErrors, CheckNullOnAPointerRaisesOnlyWhenNull)
{
    LogCapture log;
    const auto present = std::make_shared<int>(1);
    EXPECT_NO_THROW(Helper::CheckNull(present, "font"));
    const std::shared_ptr<int> missing;
    EXPECT_THAT([&] { Helper::CheckNull(missing, "font"); },
                ThrowsMessage<std::invalid_argument>(StrEq("font is null")));
}

TEST(HelperErrors, ThrowLogsTheMessageAndRaisesRuntimeError)
{
    LogCapture log(false);
    EXPECT_THAT([] { Helper::Throw("Fehler in SetScene"); },
                ThrowsMessage<std::runtime_error>(StrEq("Fehler in SetScene")));
    EXPECT_THAT(log.Texts(), ElementsAre("Fehler in SetScene"));
}

} // namespace
} // namespace Quarnel::Common
