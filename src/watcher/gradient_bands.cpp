// The bands of a header bar's colour gradient.
#include "watcher/gradient_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qn {

int MulDiv(int AA, int AB, int AC)
{
    if (AC == 0)
        return -1;
    const long long num = static_cast<long long>(AA) * AB;
    const long long den = AC;
    const long long q = num / den;
    const long long r = num % den;
    // Halves and more round away from zero.
    if (2 * std::llabs(r) >= std::llabs(den))
        return static_cast<int>(q + (((num < 0) != (den < 0)) ? -1 : 1));
    return static_cast<int>(q);
}

std::vector<TGradientBand> GradientBands(int AStart, int AExtent, std::uint16_t AColorCount, TRgb AFrom, TRgb ATo,
                                         TGradientDirection ADirection)
{
    std::vector<TGradientBand> bands;
    if (AExtent <= 0)
        return bands;
    if (AColorCount < 2) {
        bands.push_back({AStart, AStart + AExtent, AFrom});
        return bands;
    }
    const bool reversed = ADirection == gdBottomToTop || ADirection == gdRightToLeft;
    const TRgb start = reversed ? ATo : AFrom;
    const TRgb end = reversed ? AFrom : ATo;
    const int dR = end.R - start.R, dG = end.G - start.G, dB = end.B - start.B;
    const int n = std::max(2, std::min<int>(AColorCount, AExtent));
    const double size = static_cast<double>(AExtent) / n;
    if (!(size > 0.0))
        return bands;
    bands.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        // nearbyint rounds ties to even in the default rounding mode.
        const int from = static_cast<int>(std::nearbyint(i * size + AStart));
        const int to = static_cast<int>(std::nearbyint(from + size)) + 1;
        const TRgb color{static_cast<std::uint8_t>((start.R + MulDiv(i, dR, n)) & 0xFF),
                         static_cast<std::uint8_t>((start.G + MulDiv(i, dG, n)) & 0xFF),
                         static_cast<std::uint8_t>((start.B + MulDiv(i, dB, n)) & 0xFF)};
        bands.push_back({from, to, color});
    }
    return bands;
}

} // namespace qn
