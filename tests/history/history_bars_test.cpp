// The history chart's bars: a round scale top, columns stacked inside the area, the newest kept.
#include "history/history_bars.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace qn {
namespace {

TEST(HistoryBars, TheScaleTopIsTheNextRoundByteCount)
{
    const std::pair<std::uint64_t, std::uint64_t> cases[] = {
        {0, 1024},
        {1, 1},
        {3, 5},
        {501, 1024},
        {1025, 2048},
        {6000, 10240},
        {900 * 1024, 1024 * 1024},
        {3ull << 30, 5ull << 30},
        {(1ull << 40) + 1, 2ull << 40},
    };
    for (const auto& [value, top] : cases)
        EXPECT_EQ(BarScaleTop(value), top) << value;
}

TEST(HistoryBars, ColumnsStackUploadOnDownloadInsideTheArea)
{
    const TBarArea area{10, 0, 109, 99}; // 100 x 100 pixels
    const std::vector<THistoryRow> rows{{1, 500, 500}, {2, 250, 0}, {3, 0, 0}, {4, 1, 0}};
    const auto columns = LayoutBars(rows, area, 1000);
    ASSERT_EQ(columns.size(), 4u);
    // Full height: download from the bottom half-way, upload above it to the top.
    EXPECT_EQ(columns[0].Download.Top, 50);
    EXPECT_EQ(columns[0].Download.Bottom, 99);
    EXPECT_EQ(columns[0].Upload.Top, 0);
    EXPECT_EQ(columns[0].Upload.Bottom, 49);
    EXPECT_EQ(columns[1].Download.Top, 75);
    EXPECT_GT(columns[1].Upload.Top, columns[1].Upload.Bottom); // no upload pixels
    EXPECT_GT(columns[2].Download.Top, columns[2].Download.Bottom);
    EXPECT_EQ(columns[3].Download.Top, 99); // one byte still shows
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_GE(columns[i].Left, area.Left);
        EXPECT_LE(columns[i].Right, area.Right);
        EXPECT_LE(columns[i].Left, columns[i].Right);
        if (i > 0) {
            EXPECT_LT(columns[i - 1].Right + 1, columns[i].Left); // a gap between columns
        }
    }
}

TEST(HistoryBars, MoreRowsThanPixelsShowTheNewestAndNothingOverflows)
{
    std::vector<THistoryRow> rows;
    for (int i = 0; i < 500; ++i)
        rows.push_back({i, static_cast<std::uint64_t>(i) * 10, 0});
    const auto columns = LayoutBars(rows, {0, 0, 99, 49}, 1000); // the newest exceed the scale
    ASSERT_EQ(columns.size(), 100u);
    EXPECT_EQ(columns.front().Left, 0);
    EXPECT_EQ(columns.back().Right, 99);
    for (const TBarColumn& c : columns) {
        EXPECT_GE(c.Download.Top, 0);
        EXPECT_EQ(c.Left, c.Right);
    }
    EXPECT_TRUE(LayoutBars(rows, {0, 0, -1, 10}, 1000).empty());
    EXPECT_TRUE(LayoutBars({}, {0, 0, 99, 49}, 1000).empty());
}

} // namespace
} // namespace qn
