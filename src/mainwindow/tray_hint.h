// The tray icon's hint: the watched interfaces with their current rates, at most every two seconds.
#pragma once

#include "netdata/traffic_counter_source.h"
#include "platform/translate_noop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qn {

// One interface of the hint, its rates already written in the panel's units.
struct TTrayHintLine
{
    std::string Name;
    std::string Download;
    std::string Upload;
    bool operator==(const TTrayHintLine&) const = default;
};

// The line of one interface: its name, download and upload for %1, %2 and %3.
inline constexpr const char* TrayHintLineFormat = QT_TRANSLATE_NOOP("qn::TTrayHint", "%1: Download %2, Upload %3");

// ATitle alone, or ATitle and one line per interface: "eth0: Download 1.50 KB, Upload 0.00 B", the
// line written by ALineFormat.
std::string TrayHintText(const std::string& ATitle, const std::vector<TTrayHintLine>& ALines,
                         const std::string& ALineFormat = TrayHintLineFormat);

// Decides when the hint changes: tray hosts send every new hint over the bus, and one that changes
// each second flickers while it is read.
class TTrayHint
{
public:
    static constexpr std::uint64_t MinIntervalMs = 2000;

    // The text to set at ANowMs (monotonic milliseconds) for ALines: nothing when it equals the
    // text set last or that one was set less than MinIntervalMs ago; the first is set at once.
    std::optional<std::string> Update(std::uint64_t ANowMs, const std::string& ATitle,
                                      const std::vector<TTrayHintLine>& ALines);
    // The line format, TrayHintLineFormat in the user's language.
    std::string LineFormat = TrayHintLineFormat;
    // Forgets the text set (the hint was set to something else).
    void Forget() { FHave = false; }

private:
    std::string FText;
    std::uint64_t FSetAt = 0;
    bool FHave = false;
};

// The rates of one interface from its octet counters, for the picture when no panel is watching.
// The panels' rules (netdata/counter_difference.h): a new index or a read that is not usable takes a
// new baseline and shows 0; what moved between two readings is CounterDifference's; elapsed time is
// monotonic.
class TTrayRates
{
public:
    // AReading is null when the read failed.
    void Sample(std::uint32_t AIntfIdx, const TTrafficCounters* AReading, std::uint64_t ANowMs);
    double RateDL() const { return FRateDL; }
    double RateUL() const { return FRateUL; }

private:
    std::uint32_t FIdx = 0;
    TTrafficCounters FBaseline;
    std::uint64_t FAt = 0;
    bool FHave = false;
    double FRateDL = 0.0;
    double FRateUL = 0.0;
};

} // namespace qn
