// The rate alerts of one watched interface: when a rate stays high, and when it stalls after it was
// high; off unless chosen. Kept in the settings file's [RateAlerts <interface>] section.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qn {

struct TRateAlertSettings
{
    // Rates in bytes a second; times in seconds.
    bool High = false;
    std::uint64_t HighLevel = 1024 * 1024; // 1 MB/s
    int HighSeconds = 300;
    bool Stall = false;
    std::uint64_t StallLevel = 10 * 1024; // 10 KB/s
    int StallSeconds = 60;

    bool Enabled() const { return High || Stall; }
    bool operator==(const TRateAlertSettings&) const = default;
};

// The longest time a condition may be asked to hold: a day.
inline constexpr int MaxRateAlertSeconds = 86'400;

// The section of AInterface's alerts.
std::string RateAlertSection(const std::string& AInterface);

// Reads the settings through ARead (the key's text, or nothing when the key is absent). A value
// that cannot be used gives its default, and "Key=Value" goes to ABadKeys (empty when all were usable).
TRateAlertSettings ReadRateAlertSettings(const std::function<std::optional<std::string>(std::string_view AKey)>& ARead,
                                         std::vector<std::string>& ABadKeys);

// The keys and values that ReadRateAlertSettings reads back.
std::vector<std::pair<std::string, std::string>> RateAlertSettingsValues(const TRateAlertSettings& ASettings);

} // namespace qn
