// The bar chart's maths: the value axis' top and where each period's bars fall, in pixels.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"

#include <cstdint>
#include <vector>

namespace qn {

// The smallest "round" byte count at or above AValue: 1, 2 or 5 times a power of ten of a binary
// unit (B, KB, MB, GB, TB), or the next unit itself. 0 gives 1024 (an empty chart still has a scale).
std::uint64_t BarScaleTop(std::uint64_t AValue);

// A rectangle of pixels, edges inclusive.
struct TBarArea
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One period's column: download stacked from the bottom, upload on top of it. Edges inclusive;
// a part with no pixels has Top > Bottom.
struct TBarColumn
{
    int Left = 0, Right = 0;
    TBarArea Download;
    TBarArea Upload;
};

// The columns of ARows inside AArea, oldest left, on a scale from 0 to ATop bytes. Columns share
// the width evenly with a gap of a quarter column (at least one pixel when there is room) and are
// at least one pixel wide; when there are more rows than pixels only the newest that fit are laid
// out. A column's height is its total's share of ATop, rounded to the nearest pixel; any traffic
// at all shows at least one pixel.
std::vector<TBarColumn> LayoutBars(const std::vector<THistoryRow>& ARows, const TBarArea& AArea, std::uint64_t ATop);

// The short text under a bar of APeriod: "14:00" for an hour, "12-09" for a day, "2026-12" for a
// month, "2026" for a year.
std::string BarLabel(THistoryPeriod APeriod, std::int64_t AKey);

// Which of AColumns get a label ALabelWidth pixels wide centred under them: the newest whose label
// lies inside ALeft..ARight, then every n-th one older, n the smallest step that keeps neighbouring
// labels at least AGap pixels apart; a label that would reach outside is left out. Indices into
// AColumns, ascending.
std::vector<std::size_t> LabelledColumns(const std::vector<TBarColumn>& AColumns, int ALabelWidth, int AGap, int ALeft,
                                         int ARight);

// The index of the column under pixel column AX (its bar or the gap right of it), or -1.
int ColumnAt(const std::vector<TBarColumn>& AColumns, int AX);

} // namespace qn
