// Short texts of byte quantities and bit rates, as the read-outs and list columns show them.
#pragma once

#include "texts/format_settings.h"

#include <cstdint>
#include <string>

namespace qn {

// The units selector of a watcher: its index is the mode of FormatTraffic.
enum TTrafficMode : std::uint8_t
{
    tmTransfer = 0, // bytes, binary units ("1.50 KB")
    tmSpeed = 1,    // bits per second, decimal units ("12.29 Kbps")
};

// AMode 0: binary byte units B, KB, MB, GB; AMode 1: the value (bytes, or bytes per second) times
// 8 in bps, Kbps, Mbps, Gbps. Two decimals with the user's decimal separator (FormatSettings()),
// no grouping. The unit is chosen from the value rounded half to even; the printed number is the
// unrounded value over the unit. Negative values take the unit of their magnitude. Any other mode
// gives an empty text.
std::string FormatTraffic(std::uint8_t AMode, double AValue);

// The byte form: identical to FormatTraffic(0, AValue).
std::string FormatBytes(double AValue);

// The chart's value hint, in fixed units: "%1.2f KB" for the "Transfer" units (chart values in
// KiB/s), "%1.2f kbps" for "Speed" (kbit/s); empty for any other units index.
std::string FormatChartValue(int AUnits, double AValue);

} // namespace qn
