// Reading and writing the [Quota] section, every bad value falling back to its default.
#include "history/quota_settings.h"

#include "history/history_messages.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <charconv>

namespace qn {

namespace {

template <typename T>
std::optional<T> WholeNumber(std::string_view AText)
{
    AText = TrimText(AText);
    T value{};
    const auto [end, ec] = std::from_chars(AText.data(), AText.data() + AText.size(), value);
    if (AText.empty() || ec != std::errc() || end != AText.data() + AText.size())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitCommas(std::string_view AText)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t comma = AText.find(',');
        parts.push_back(TrimText(AText.substr(0, comma)));
        if (comma == std::string_view::npos)
            return parts;
        AText.remove_prefix(comma + 1);
    }
}

} // namespace

const char* QuotaPeriodName(TQuotaPeriod APeriod)
{
    switch (APeriod) {
    case TQuotaPeriod::qpDay:
        return "day";
    case TQuotaPeriod::qpWeek:
        return "week";
    default:
        return "month";
    }
}

const char* QuotaDirectionName(TQuotaDirection ADirection)
{
    switch (ADirection) {
    case TQuotaDirection::qdDownload:
        return "download";
    case TQuotaDirection::qdUpload:
        return "upload";
    default:
        return "total";
    }
}

std::optional<std::vector<int>> ParseWarnLevels(std::string_view AText)
{
    std::vector<int> levels;
    if (TrimText(AText).empty())
        return levels;
    for (const std::string_view part : SplitCommas(AText)) {
        const auto level = WholeNumber<int>(part);
        if (!level || *level < 1 || *level > 1000)
            return std::nullopt;
        levels.push_back(*level);
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    return levels;
}

TQuotaSettings ReadQuotaSettings(const std::function<std::optional<std::string>(std::string_view AKey)>& ARead,
                                 std::string& AMessage)
{
    TQuotaSettings s;
    std::vector<std::string> bad;
    const auto read = [&](std::string_view AKey, const auto& AAccept) {
        const std::optional<std::string> text = ARead(AKey);
        if (text && !AAccept(TrimText(*text)))
            bad.push_back(std::string(AKey) + "=" + *text);
    };
    read("Limit", [&](std::string_view AText) {
        const auto v = WholeNumber<std::uint64_t>(AText);
        if (v)
            s.Limit = *v;
        return v.has_value();
    });
    read("Period", [&](std::string_view AText) {
        const std::string v = LowerCaseText(AText);
        for (const TQuotaPeriod p : {TQuotaPeriod::qpDay, TQuotaPeriod::qpWeek, TQuotaPeriod::qpMonth})
            if (v == QuotaPeriodName(p)) {
                s.Period = p;
                return true;
            }
        return false;
    });
    // The billing day's range depends on the period, so it is checked after it.
    read("StartDay", [&](std::string_view AText) {
        const auto v = WholeNumber<int>(AText);
        const int last = s.Period == TQuotaPeriod::qpWeek ? 7 : 31;
        if (!v || *v < 1 || *v > last)
            return false;
        s.StartDay = *v;
        return true;
    });
    read("Direction", [&](std::string_view AText) {
        const std::string v = LowerCaseText(AText);
        for (const TQuotaDirection d :
             {TQuotaDirection::qdDownload, TQuotaDirection::qdUpload, TQuotaDirection::qdTotal})
            if (v == QuotaDirectionName(d)) {
                s.Direction = d;
                return true;
            }
        return false;
    });
    read("Warn", [&](std::string_view AText) {
        const auto v = ParseWarnLevels(AText);
        if (v)
            s.Warn = *v;
        return v.has_value();
    });
    read("Interfaces", [&](std::string_view AText) {
        s.Interfaces.clear();
        if (AText.empty())
            return true;
        for (const std::string_view name : SplitCommas(AText))
            if (!name.empty() && std::find(s.Interfaces.begin(), s.Interfaces.end(), name) == s.Interfaces.end())
                s.Interfaces.emplace_back(name);
        return true;
    });
    AMessage.clear();
    if (!bad.empty()) {
        std::string list;
        for (std::size_t i = 0; i < bad.size(); ++i)
            list += (i ? "; " : "") + bad[i];
        AMessage = FillText(MsgQuotaBadValues, {list});
    }
    return s;
}

std::vector<std::pair<std::string, std::string>> QuotaSettingsValues(const TQuotaSettings& ASettings)
{
    std::string warn, names;
    for (const int level : ASettings.Warn)
        warn += (warn.empty() ? "" : ",") + std::to_string(level);
    for (const std::string& name : ASettings.Interfaces)
        names += (names.empty() ? "" : ",") + name;
    return {{"Limit", std::to_string(ASettings.Limit)},
            {"Period", QuotaPeriodName(ASettings.Period)},
            {"StartDay", std::to_string(ASettings.StartDay)},
            {"Direction", QuotaDirectionName(ASettings.Direction)},
            {"Warn", warn},
            {"Interfaces", names}};
}

} // namespace qn
