// The tray hint's text and pace, and the rates of an unwatched interface.
#include "mainwindow/tray/tray_hint.h"

#include "netdata/counter_difference.h"

namespace qn {

std::string TrayHintText(const std::string& ATitle, const std::vector<TTrayHintLine>& ALines)
{
    std::string text = ATitle;
    for (const TTrayHintLine& line : ALines)
        text += "\n" + line.Name + ": Download " + line.Download + ", Upload " + line.Upload;
    return text;
}

std::optional<std::string> TTrayHint::Update(std::uint64_t ANowMs, const std::string& ATitle,
                                             const std::vector<TTrayHintLine>& ALines)
{
    if (FHave && ANowMs - FSetAt < MinIntervalMs)
        return std::nullopt;
    std::string text = TrayHintText(ATitle, ALines);
    if (FHave && text == FText)
        return std::nullopt;
    FText = text;
    FSetAt = ANowMs;
    FHave = true;
    return text;
}

void TTrayRates::Sample(std::uint32_t AIntfIdx, const TTrafficCounters* AReading, std::uint64_t ANowMs)
{
    FRateDL = FRateUL = 0.0;
    if (!AReading || !UsableReading(*AReading)) {
        FHave = false;
        return;
    }
    if (FHave && AIntfIdx == FIdx && ANowMs > FAt) {
        const double seconds = static_cast<double>(ANowMs - FAt) / 1000.0;
        const TCounterStep step = CounterDifference(FBaseline, *AReading);
        FRateDL = static_cast<double>(step.In) / seconds;
        FRateUL = static_cast<double>(step.Out) / seconds;
    }
    FIdx = AIntfIdx;
    FBaseline = *AReading;
    FAt = ANowMs;
    FHave = true;
}

} // namespace qn
