// The bands of a header bar's colour gradient, as plain arithmetic.
#pragma once

#include <cstdint>
#include <vector>

namespace qn {

enum TGradientDirection
{
    gdTopToBottom,
    gdBottomToTop,
    gdLeftToRight,
    gdRightToLeft
};

struct TRgb
{
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TRgb&) const = default;
};

// One solid band along the gradient's axis: [From, To) in pixels, To exclusive.
struct TGradientBand
{
    int From = 0;
    int To = 0;
    TRgb Color;
};

// a * b / c in 64 bits, rounded to the nearest integer with halves away from zero; -1 when c is 0.
int MulDiv(int AA, int AB, int AC);

// The bands that fill AExtent pixels from AStart along the direction's axis, painted in order.
// Below 2 colours: one band of AFrom. Otherwise n = max(2, min(AColorCount, AExtent)) bands of the
// float size AExtent / n, edges rounded half to even, each one pixel longer than its size so that
// neighbours overlap and leave no gap. The reversed directions are reversed ramps laid out from the
// same edge: they start at ATo. Band i has start + MulDiv(i, delta, n) per channel, so the last
// band stops short of the end colour. An empty extent gives no bands.
std::vector<TGradientBand> GradientBands(int AStart, int AExtent, std::uint16_t AColorCount, TRgb AFrom, TRgb ATo,
                                         TGradientDirection ADirection);

} // namespace qn
