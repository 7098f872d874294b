#include <gtest/gtest.h>
#include "processor/ValueText.h"
#include <limits>

namespace
{
struct Case { double value; int decimals; const char* text; };

void PrintTo (const Case& c, std::ostream* os) { *os << c.value << " with " << c.decimals << " decimals"; }

class FixedDecimals : public ::testing::TestWithParam<Case> {};

TEST_P (FixedDecimals, RoundsHalvesAwayFromZeroOnTheMagnitude)
{
    const auto& c = GetParam();
    EXPECT_EQ (ValueText::fixed (c.value, c.decimals), juce::String (c.text)) << c.value << " with " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P (Table, FixedDecimals, ::testing::Values (
    Case { 0.0, 2, "0.00" },
    Case { 0.5, 2, "0.50" },
    Case { 1.0, 2, "1.00" },
    Case { 0.125, 2, "0.13" },        // a plain half: JUCE's own conversion would give "0.12"
    Case { 1.5, 2, "1.50" },
    Case { 50.0, 1, "50.0" },
    Case { -0.024, 1, "-0.0" },       // negative stays negative even when it shows as zero
    Case { -0.5, 2, "-0.50" },
    Case { 0.05, 0, "0" },
    Case { 120.0, 2, "120.00" },
    Case { 123456.0, 2, "123456.00" },
    Case { 7.0, 0, "7" },
    Case { 1.0e20, 1, "100000000000000000000.0" },
    Case { std::numeric_limits<double>::quiet_NaN(), 2, "nan" },
    Case { -std::numeric_limits<double>::infinity(), 2, "-inf" }),
    [] (const ::testing::TestParamInfo<Case>& info) { return "case" + std::to_string (info.index); });
}
