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

} // namespace qn
