// The data cap as the settings file's [Quota] section holds it, and its strict reading.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qn {

enum class TQuotaPeriod : std::uint8_t
{
    qpDay,
    qpWeek,
    qpMonth,
};

enum class TQuotaDirection : std::uint8_t
{
    qdDownload,
    qdUpload,
    qdTotal,
};

// Limit 0 is no cap. StartDay is the billing day: 1-31 for months (clamped to each month's last
// day), 1-7 for weeks (Monday = 1); days ignore it. Warn holds percentages, ascending, each once.
// An empty Interfaces means the uplinks.
struct TQuotaSettings
{
    std::uint64_t Limit = 0;
    TQuotaPeriod Period = TQuotaPeriod::qpMonth;
    int StartDay = 1;
    TQuotaDirection Direction = TQuotaDirection::qdTotal;
    std::vector<int> Warn = {80, 100};
    std::vector<std::string> Interfaces;

    bool Enabled() const { return Limit > 0; }
    bool operator==(const TQuotaSettings&) const = default;
};

inline constexpr const char* QuotaSection = "Quota";

// Reads the section through ARead (the value of a key, or nothing when absent). An absent key
// gives its default silently; a value that does not read gives its default and is named in
// AMessage, one message for the whole section (empty when every value read).
TQuotaSettings ReadQuotaSettings(const std::function<std::optional<std::string>(std::string_view AKey)>& ARead,
                                 std::string& AMessage);

// The keys and texts that ReadQuotaSettings reads back as ASettings, in file order.
std::vector<std::pair<std::string, std::string>> QuotaSettingsValues(const TQuotaSettings& ASettings);

// "day", "week", "month"; "download", "upload", "total".
const char* QuotaPeriodName(TQuotaPeriod APeriod);
const char* QuotaDirectionName(TQuotaDirection ADirection);

// A percentage list such as "50, 80,100": nothing when a part is no whole number from 1 to 1000.
std::optional<std::vector<int>> ParseWarnLevels(std::string_view AText);

} // namespace qn
