// Scale and column layout of the history bar chart.
#include "history/history_bars.h"

#include <algorithm>
#include <cmath>

namespace qn {

std::uint64_t BarScaleTop(std::uint64_t AValue)
{
    if (AValue == 0)
        return 1024;
    static constexpr std::uint64_t Steps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
    for (std::uint64_t unit = 1;; unit *= 1024) {
        for (const std::uint64_t step : Steps)
            if (AValue <= step * unit)
                return step * unit;
        if (unit >= (1ull << 50))
            return AValue; // beyond petabytes: the value itself
        if (AValue <= unit * 1024)
            return unit * 1024;
    }
}

std::vector<TBarColumn> LayoutBars(const std::vector<THistoryRow>& ARows, const TBarArea& AArea, std::uint64_t ATop)
{
    std::vector<TBarColumn> columns;
    const int width = AArea.Right - AArea.Left + 1;
    const int height = AArea.Bottom - AArea.Top + 1;
    if (ARows.empty() || width <= 0 || height <= 0 || ATop == 0)
        return columns;
    const std::size_t count = std::min(ARows.size(), static_cast<std::size_t>(width));
    const std::size_t first = ARows.size() - count;
    const double pitch = static_cast<double>(width) / static_cast<double>(count);
    const int gap = pitch >= 3.0 ? std::max(1, static_cast<int>(pitch / 4.0)) : 0;
    const auto pixels = [&](std::uint64_t ABytes) {
        if (ABytes == 0)
            return 0;
        const double share = std::min(1.0, static_cast<double>(ABytes) / static_cast<double>(ATop));
        return std::max(1, static_cast<int>(std::lround(share * height)));
    };
    columns.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const THistoryRow& row = ARows[first + i];
        TBarColumn c;
        c.Left = AArea.Left + static_cast<int>(std::floor(pitch * static_cast<double>(i)));
        const int next = AArea.Left + static_cast<int>(std::floor(pitch * static_cast<double>(i + 1)));
        c.Right = std::max(c.Left, next - 1 - gap);
        const int total = pixels(row.Total());
        int down = pixels(row.Download);
        down = std::min(down, total);
        if (row.Upload > 0 && down == total && total > 1)
            --down; // keep a pixel of upload visible
        c.Download = {c.Left, AArea.Bottom - down + 1, c.Right, AArea.Bottom};
        c.Upload = {c.Left, AArea.Bottom - total + 1, c.Right, AArea.Bottom - down};
        columns.push_back(c);
    }
    return columns;
}

std::string BarLabel(THistoryPeriod APeriod, std::int64_t AKey)
{
    const std::string text = PeriodText(APeriod, AKey, true);
    switch (APeriod) {
    case THistoryPeriod::hpHour:
        return text.substr(11); // "2026-12-09 14:00"
    case THistoryPeriod::hpDay:
        return text.substr(5); // "2026-12-09"
    default:
        return text;
    }
}

std::vector<std::size_t> LabelledColumns(const std::vector<TBarColumn>& AColumns, int ALabelWidth, int AGap, int ALeft,
                                         int ARight)
{
    std::vector<std::size_t> labelled;
    if (AColumns.empty() || ALabelWidth <= 0)
        return labelled;
    const auto centre = [&](std::size_t AIndex) { return (AColumns[AIndex].Left + AColumns[AIndex].Right) / 2; };
    const std::size_t count = AColumns.size();
    // Columns are laid out at an even pitch give or take a pixel: the step must hold everywhere.
    std::size_t step = 1;
    const auto fits = [&](std::size_t AStep) {
        for (std::size_t i = 0; i + AStep < count; ++i)
            if (centre(i + AStep) - centre(i) < ALabelWidth + AGap)
                return false;
        return true;
    };
    while (step < count && !fits(step))
        ++step;
    const auto inside = [&](std::size_t AIndex) {
        const int left = centre(AIndex) - ALabelWidth / 2;
        return left >= ALeft && left + ALabelWidth - 1 <= ARight;
    };
    // The steps count back from the newest bar whose label fits.
    std::size_t newest = count;
    while (newest > 0 && !inside(newest - 1))
        --newest;
    for (std::size_t k = newest; k > 0;) {
        if (inside(k - 1))
            labelled.push_back(k - 1);
        k = k > step ? k - step : 0;
    }
    std::reverse(labelled.begin(), labelled.end());
    return labelled;
}

int ColumnAt(const std::vector<TBarColumn>& AColumns, int AX)
{
    for (std::size_t i = 0; i < AColumns.size(); ++i) {
        const int next = i + 1 < AColumns.size() ? AColumns[i + 1].Left : AColumns[i].Right + 1;
        if (AX >= AColumns[i].Left && AX < std::max(next, AColumns[i].Right + 1))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace qn
