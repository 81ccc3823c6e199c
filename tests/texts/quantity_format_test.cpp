// Quantity texts: unit choice from the rounded value, two decimals, halves away from zero, the user's separator.
#include "texts/quantity_format.h"

#include "support/pinned_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace qn {
namespace {

using test::TPinnedFormat;

struct TCase
{
    int Mode;
    double Value;
    const char* Expected;
};

TEST(QuantityFormat, ByteAndBitRateForms)
{
    TPinnedFormat pin(".");
    const TCase cases[] = {
        {0, 0, "0.00 B"},
        {1, 0, "0.00 bps"},
        {0, 1023.4, "1023.40 B"},
        {0, 1023.5, "1.00 KB"}, // the unit from 1024
        {0, 1024.5, "1.00 KB"},
        {0, 1023.6, "1.00 KB"}, // the unit from 1024, the number from 1023.6 / 1024
        {0, 1024, "1.00 KB"},
        {0, 1536, "1.50 KB"},
        {0, 1048575, "1024.00 KB"},
        {0, 1048576, "1.00 MB"},
        {0, 1500000, "1.43 MB"},
        {0, 1073741823, "1024.00 MB"},
        {0, 1073741824, "1.00 GB"},
        {0, 4294967295.0, "4.00 GB"},
        {0, 6.0 * 1073741824 * 1024, "6144.00 GB"}, // no larger unit
        {1, 124, "992.00 bps"},
        {1, 124.9375, "1.00 Kbps"}, // 999.5 bits round up to 1000: Kbps
        {1, 124.8125, "998.50 bps"},
        // Halves round away from zero, as the chart's labels do: 1664 B is 1.625 KB.
        {0, 1664, "1.63 KB"},
        {0, 0.125, "0.13 B"},
        {0, 2.5 * 1048576 + 0.005 * 1048576, "2.51 MB"},
        {1, 0.078125, "0.63 bps"},
        {1, 125, "1.00 Kbps"},
        {1, 1536, "12.29 Kbps"},
        {1, 125000, "1.00 Mbps"},
        {1, 1500000, "12.00 Mbps"},
        {1, 125000000, "1.00 Gbps"},
        {1, 1.25e12, "10000.00 Gbps"},
        {2, 1536, ""},
        {255, 1536, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTraffic(static_cast<std::uint8_t>(c.Mode), c.Value), c.Expected)
            << "mode " << c.Mode << " value " << c.Value;
}

TEST(QuantityFormat, CommaSeparatorAndNoGrouping)
{
    TPinnedFormat pin(",");
    EXPECT_EQ(FormatTraffic(0, 1536), "1,50 KB");
    EXPECT_EQ(FormatBytes(1536), "1,50 KB");
    EXPECT_EQ(FormatTraffic(1, 1536), "12,29 Kbps");
    EXPECT_EQ(FormatBytes(1048575), "1024,00 KB");
    EXPECT_EQ(FormatBytes(6.0 * 1073741824 * 1024), "6144,00 GB");
    EXPECT_EQ(FormatChartValue(0, 12.345), "12,35 KB");
}

TEST(QuantityFormat, ByteFormIsTheTransferMode)
{
    TPinnedFormat pin;
    for (double v : {0.0, 1.0, 1023.6, 5e5, 7e8, 3e9, 1.8e19})
        EXPECT_EQ(FormatBytes(v), FormatTraffic(0, v));
}

TEST(QuantityFormat, ChartHintFormsUseFixedUnits)
{
    TPinnedFormat pin;
    EXPECT_EQ(FormatChartValue(0, 1536), "1536.00 KB");
    EXPECT_EQ(FormatChartValue(1, 2.5), "2.50 kbps"); // lower-case k, unlike the bit-rate form
    EXPECT_EQ(FormatChartValue(2, 2.5), "");
    EXPECT_EQ(FormatChartValue(-1, 2.5), "");
}

TEST(QuantityFormat, OddInputsGiveSafeTexts)
{
    TPinnedFormat pin;
    // Negative values take the unit of their magnitude instead of jumping to GB.
    EXPECT_EQ(FormatTraffic(0, -5), "-5.00 B");
    EXPECT_EQ(FormatTraffic(0, -2048), "-2.00 KB");
    EXPECT_EQ(FormatTraffic(1, -125), "-1.00 Kbps");
    EXPECT_EQ(FormatTraffic(0, std::numeric_limits<double>::quiet_NaN()), "0.00 B");
    // The unit choice saturates (no undefined conversion to an integer); the figure stays the value.
    const std::string huge = FormatTraffic(0, 1e300);
    ASSERT_GT(huge.size(), 6u);
    EXPECT_EQ(".00 GB", huge.substr(huge.size() - 6));
    EXPECT_DOUBLE_EQ(1e300 / 1073741824.0, std::stod(huge.substr(0, huge.size() - 3)));
    const std::string hugeRate = FormatTraffic(1, -1e300);
    ASSERT_GT(hugeRate.size(), 8u);
    EXPECT_EQ(".00 Gbps", hugeRate.substr(hugeRate.size() - 8));
    EXPECT_DOUBLE_EQ(-8e300 / 1e9, std::stod(hugeRate.substr(0, hugeRate.size() - 5)));
    EXPECT_EQ(FormatTraffic(1, std::numeric_limits<double>::infinity()), "0.00 Gbps");
}

} // namespace
} // namespace qn
