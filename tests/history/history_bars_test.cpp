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

std::vector<THistoryRow> Rows(std::size_t ACount)
{
    std::vector<THistoryRow> rows;
    for (std::size_t i = 0; i < ACount; ++i)
        rows.push_back({static_cast<std::int64_t>(20261101 + i), 1000 + i, 10});
    return rows;
}

TEST(HistoryBars, PeriodLabelsAreShortFormsOfTheTableTexts)
{
    EXPECT_EQ("14:00", BarLabel(THistoryPeriod::hpHour, 2026120914));
    EXPECT_EQ("12-09", BarLabel(THistoryPeriod::hpDay, 20261209));
    EXPECT_EQ("2026-12", BarLabel(THistoryPeriod::hpMonth, 202612));
    EXPECT_EQ("2026", BarLabel(THistoryPeriod::hpYear, 2026));
}

TEST(HistoryBars, LabelsKeepApartAtAnEvenStepEndingAtTheNewestBar)
{
    const TBarArea area{0, 0, 599, 99};
    struct TCase
    {
        std::size_t Rows;
        int LabelWidth;
    };
    for (const TCase c : {TCase{3, 40}, TCase{30, 40}, TCase{45, 40}, TCase{168, 36}, TCase{600, 50}, TCase{1, 700}}) {
        SCOPED_TRACE(c.Rows);
        const std::vector<TBarColumn> columns = LayoutBars(Rows(c.Rows), area, 2048);
        const std::vector<std::size_t> labelled = LabelledColumns(columns, c.LabelWidth, 8, area.Left, area.Right);
        const auto centre = [&](std::size_t I) { return (columns[I].Left + columns[I].Right) / 2; };
        for (std::size_t k = 0; k + 1 < labelled.size(); ++k) {
            EXPECT_GE(centre(labelled[k + 1]) - centre(labelled[k]), c.LabelWidth + 8) << "labels overlap";
            if (k + 2 < labelled.size()) {
                EXPECT_EQ(labelled[k + 1] - labelled[k], labelled[k + 2] - labelled[k + 1]) << "an even step";
            }
        }
        for (const std::size_t i : labelled) {
            EXPECT_GE(centre(i) - c.LabelWidth / 2, area.Left);
            EXPECT_LE(centre(i) - c.LabelWidth / 2 + c.LabelWidth - 1, area.Right);
        }
        if (c.LabelWidth < 600) {
            ASSERT_FALSE(labelled.empty());
            for (std::size_t i = labelled.back() + 1; i < columns.size(); ++i)
                EXPECT_GT(centre(i) - c.LabelWidth / 2 + c.LabelWidth - 1, area.Right) << "a newer label would fit";
            // As many as fit: one step less would overlap somewhere.
            if (labelled.size() > 1 && labelled[1] - labelled[0] > 1) {
                const std::size_t smaller = labelled[1] - labelled[0] - 1;
                bool overlaps = false;
                for (std::size_t i = 0; i + smaller < columns.size(); ++i)
                    overlaps |= centre(i + smaller) - centre(i) < c.LabelWidth + 8;
                EXPECT_TRUE(overlaps);
            }
        } else {
            EXPECT_TRUE(labelled.empty()) << "a label wider than the chart is left out";
        }
    }
    EXPECT_TRUE(LabelledColumns({}, 40, 8, 0, 599).empty());
}

TEST(HistoryBars, ThePointerFindsTheBarUnderItOrNone)
{
    const std::vector<TBarColumn> columns = LayoutBars(Rows(10), {100, 0, 199, 99}, 2048);
    EXPECT_EQ(-1, ColumnAt(columns, 99));
    EXPECT_EQ(0, ColumnAt(columns, 100));
    EXPECT_EQ(0, ColumnAt(columns, columns[1].Left - 1)) << "the gap belongs to the bar left of it";
    EXPECT_EQ(1, ColumnAt(columns, columns[1].Left));
    EXPECT_EQ(9, ColumnAt(columns, columns[9].Right));
    EXPECT_EQ(-1, ColumnAt(columns, 200));
    EXPECT_EQ(-1, ColumnAt({}, 5));
}

} // namespace
} // namespace qn
