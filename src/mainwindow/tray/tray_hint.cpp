// The tray hint's text and pace, and the rates of an unwatched interface.
#include "mainwindow/tray/tray_hint.h"

namespace qn {

std::string TrayHintText(const std::string& ATitle, const std::vector<TTrayHintLine>& ALines,
                         const std::string& ALineFormat)
{
    std::string text = ATitle;
    for (const TTrayHintLine& line : ALines) {
        text += '\n';
        // One pass over the format: a name or figure holding "%2" is not replaced again.
        for (std::size_t i = 0; i < ALineFormat.size(); ++i) {
            const char c = ALineFormat[i];
            const char next = i + 1 < ALineFormat.size() ? ALineFormat[i + 1] : '\0';
            if (c == '%' && next >= '1' && next <= '3') {
                text += next == '1' ? line.Name : next == '2' ? line.Download : line.Upload;
                ++i;
            } else {
                text += c;
            }
        }
    }
    return text;
}

std::optional<std::string> TTrayHint::Update(std::uint64_t ANowMs, const std::string& ATitle,
                                             const std::vector<TTrayHintLine>& ALines)
{
    if (FHave && ANowMs - FSetAt < MinIntervalMs)
        return std::nullopt;
    std::string text = TrayHintText(ATitle, ALines, LineFormat);
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
        return; // the two readings lie too close together for a rate: the last rates stand
    FRateDL = advance.RateIn();
    FRateUL = advance.RateOut();
}

} // namespace qn
