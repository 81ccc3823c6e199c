// Reading and writing the rate alerts' keys; bad values fall back one by one.
#include "alerts/rate_alert_settings.h"

#include <charconv>

namespace qn {

namespace {

std::optional<std::uint64_t> Number(std::string_view AText, std::uint64_t ALeast, std::uint64_t AMost)
{
    std::uint64_t value = 0;
    const char* end = AText.data() + AText.size();
    const auto [ptr, ec] = std::from_chars(AText.data(), end, value);
    if (ec != std::errc() || ptr != end || AText.empty() || value < ALeast || value > AMost)
        return std::nullopt;
    return value;
}

std::optional<bool> Switch(std::string_view AText)
{
    if (AText == "1")
        return true;
    if (AText == "0")
        return false;
    return std::nullopt;
}

} // namespace

std::string RateAlertSection(const std::string& AInterface)
{
    return "RateAlerts " + AInterface;
}

TRateAlertSettings ReadRateAlertSettings(const std::function<std::optional<std::string>(std::string_view AKey)>& ARead,
                                         std::vector<std::string>& ABadKeys)
{
    TRateAlertSettings s;
    std::vector<std::string>& bad = ABadKeys;
    bad.clear();
    const auto read = [&](const char* AKey, auto AApply) {
        const std::optional<std::string> text = ARead(AKey);
        if (text && !AApply(std::string_view(*text)))
            bad.push_back(std::string(AKey) + "=" + *text);
    };
    const auto flag = [](bool& ATarget) {
        return [&ATarget](std::string_view AText) {
            const auto v = Switch(AText);
            if (v)
                ATarget = *v;
            return v.has_value();
        };
    };
    const auto number = [](auto& ATarget, std::uint64_t ALeast, std::uint64_t AMost) {
        return [&ATarget, ALeast, AMost](std::string_view AText) {
            const auto v = Number(AText, ALeast, AMost);
            if (v)
                ATarget = static_cast<std::remove_reference_t<decltype(ATarget)>>(*v);
            return v.has_value();
        };
    };
    // A level of at most a terabyte a second; a time from a second to a day.
    constexpr std::uint64_t MaxLevel = 1'000'000'000'000ULL;
    read("High", flag(s.High));
    read("HighLevel", number(s.HighLevel, 1, MaxLevel));
    read("HighSeconds", number(s.HighSeconds, 1, MaxRateAlertSeconds));
    read("Stall", flag(s.Stall));
    read("StallLevel", number(s.StallLevel, 1, MaxLevel));
    read("StallSeconds", number(s.StallSeconds, 1, MaxRateAlertSeconds));
    return s;
}

std::vector<std::pair<std::string, std::string>> RateAlertSettingsValues(const TRateAlertSettings& ASettings)
{
    return {{"High", ASettings.High ? "1" : "0"},
            {"HighLevel", std::to_string(ASettings.HighLevel)},
            {"HighSeconds", std::to_string(ASettings.HighSeconds)},
            {"Stall", ASettings.Stall ? "1" : "0"},
            {"StallLevel", std::to_string(ASettings.StallLevel)},
            {"StallSeconds", std::to_string(ASettings.StallSeconds)}};
}

} // namespace qn
