// The tray icon's hint: the watched interfaces with their current rates, at most every two seconds.
#pragma once

#include "netdata/counter_baseline.h"
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

// The rates of one interface from its octet counters, for the picture when no panel is watching,
// kept by the panels' baseline keeper: a new index or a read that is not usable takes a new baseline
// and shows 0; a rate is what moved between two readings over the time between them; the reading
// handed out last time again keeps the last rates.
class TTrayRates
{
public:
    // Reads the interface AIntfIdx from ASource, no earlier than the minimum span after the last
    // reading, and takes its rates.
    void Sample(ITrafficCounterSource& ASource, std::uint32_t AIntfIdx);
    double RateDL() const { return FRateDL; }
    double RateUL() const { return FRateUL; }

private:
    TCounterBaseline FBaseline;
    double FRateDL = 0.0;
    double FRateUL = 0.0;
};

} // namespace qn
