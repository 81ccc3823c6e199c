// Short texts of byte quantities and bit rates.
#include "texts/quantity_format.h"

#include <cmath>
#include <cstdint>

namespace qn {

namespace {

// The value rounded half away from zero, as every number text rounds, as a signed 64-bit integer;
// out-of-range values saturate and a NaN counts as 0.
std::int64_t RoundForUnit(double AValue)
{
    if (!(AValue == AValue))
        return 0;
    const double r = std::round(AValue);
    if (r >= 9.2e18)
        return INT64_MAX;
    if (r <= -9.2e18)
        return INT64_MIN + 1;
    return static_cast<std::int64_t>(r);
}

std::string WithUnit(double AValue, double ADivisor, const char* AUnit)
{
    std::string text = FormatFixed2(AValue / ADivisor);
    text += ' ';
    text += AUnit;
    return text;
}

} // namespace

std::string FormatTraffic(std::uint8_t AMode, double AValue)
{
    if (AMode == tmTransfer) {
        const std::int64_t r = RoundForUnit(AValue);
        const std::uint64_t m = r < 0 ? 0 - static_cast<std::uint64_t>(r) : static_cast<std::uint64_t>(r);
        if (m >> 30)
            return WithUnit(AValue, 1073741824.0, "GB");
        if (m >> 20)
            return WithUnit(AValue, 1048576.0, "MB");
        if (m >> 10)
            return WithUnit(AValue, 1024.0, "KB");
        return WithUnit(AValue, 1.0, "B");
    }
    if (AMode == tmSpeed) {
        const double bits = AValue * 8.0;
        const std::int64_t r = RoundForUnit(bits);
        if (r / 1000000000 != 0)
            return WithUnit(bits, 1e9, "Gbps");
        if (r / 1000000 != 0)
            return WithUnit(bits, 1e6, "Mbps");
        if (r / 1000 != 0)
            return WithUnit(bits, 1e3, "Kbps");
        return WithUnit(bits, 1.0, "bps");
    }
    return {};
}

std::string FormatBytes(double AValue)
{
    return FormatTraffic(tmTransfer, AValue);
}

std::string FormatChartValue(int AUnits, double AValue)
{
    if (AUnits == tmTransfer)
        return WithUnit(AValue, 1.0, "KB");
    if (AUnits == tmSpeed)
        return WithUnit(AValue, 1.0, "kbps");
    return {};
}

} // namespace qn
