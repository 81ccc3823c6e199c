// The tray hint's text and pace, and the rates of an unwatched interface.
#include "mainwindow/tray/tray_hint.h"

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

void TTrayRates::Sample(ITrafficCounterSource& ASource, std::uint32_t AIntfIdx)
{
    TTrafficCounters reading;
    const bool read = ASource.ReadCounters(AIntfIdx, reading, FBaseline.NotBeforeMs());
    const TCounterAdvance advance = FBaseline.Take(AIntfIdx, read ? &reading : nullptr);
    if (advance.Kind != TCounterAdvance::akNone && !advance.HasRate())
        return; // no time between the two readings: the last rates stand
    FRateDL = advance.RateIn();
    FRateUL = advance.RateOut();
}

} // namespace qn
