// TQuotaControl: reading and writing the [Quota] section, and the recorder's figures for it.
#include "mainwindow/quota_control.h"

#include "history/quota_period.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/history_recording.h"

#include <QDateTime>

namespace qn {

std::string TQuotaControl::Load(TLayoutManagerINIStorage& AStorage)
{
    std::string message;
    FSettings = ReadQuotaSettings(
        [&](std::string_view AKey) -> std::optional<std::string> {
            const std::string key(AKey);
            if (!AStorage.ValueExists(QuotaSection, key))
                return std::nullopt;
            return AStorage.ReadString(QuotaSection, key, {});
        },
        message);
    return message;
}

void TQuotaControl::Store(TLayoutManagerINIStorage& AStorage, const TQuotaSettings& ASettings)
{
    TStorageUpdate update(&AStorage);
    for (const auto& [key, value] : QuotaSettingsValues(ASettings))
        AStorage.WriteString(QuotaSection, key, value);
    update.Commit();
    FSettings = ASettings;
}

std::optional<TQuotaStatus> TQuotaControl::Live(const THistoryRecording* AHistory) const
{
    if (!AHistory || !AHistory->Recording() || !FSettings.Enabled() ||
        AHistory->QuotaStatus().Limit != FSettings.Limit ||
        AHistory->QuotaStatus().Window != QuotaWindowAt(FSettings, QDateTime::currentSecsSinceEpoch()))
        return std::nullopt;
    return AHistory->QuotaStatus();
}

} // namespace qn
