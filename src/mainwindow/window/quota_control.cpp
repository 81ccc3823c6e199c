// TQuotaControl: reading and writing the [Quota] section, its dialog, its messages and its warnings.
#include "mainwindow/window/quota_control.h"

#include "history/history_messages.h"
#include "history/history_recording.h"
#include "history/quota_period.h"
#include "historyview/dlg_qn_quota.h"
#include "historyview/quota_text.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/session/desktop_notifier.h"
#include "mainwindow/tray/tray_dock.h"
#include "translations/plain_message.h"
#include "widgetkit/warning_box.h"

#include <QDateTime>

namespace qn {

TQuotaControl::TQuotaControl(QWidget* AWindow, TTrayDock& ATray)
    : EditSettings([](QWidget* AParent, TQuotaSettings& ASettings) { return EditQuotaSettings(AParent, ASettings); }),
      ShowMessage([AWindow](const QString& AMessage) { ShowWarningBox(AWindow, AMessage); }), FWindow(AWindow),
      FNotifier(new TDesktopNotifier(AWindow))
{
    FNotifier->setObjectName(QStringLiteral("Notifier"));
    FNotifier->TrayMessage = [&ATray](const QString& ASummary, const QString& ABody) {
        return ATray.ShowWarning(ASummary, ABody);
    };
}

void TQuotaControl::Load(TLayoutManagerINIStorage& AStorage, THistoryRecording* AHistory)
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
    if (!message.empty() && ShowMessage)
        ShowMessage(TranslatePlainMessage(message, HistoryMessageContext, HistoryMessageTemplates));
    if (AHistory)
        AHistory->SetQuota(FSettings);
}

void TQuotaControl::Edit(TLayoutManagerINIStorage& AStorage, THistoryRecording* AHistory)
{
    TQuotaSettings edited = FSettings;
    if (!EditSettings || !EditSettings(FWindow, edited))
        return;
    Store(AStorage, edited);
    if (AHistory)
        AHistory->SetQuota(FSettings);
}

void TQuotaControl::Store(TLayoutManagerINIStorage& AStorage, const TQuotaSettings& ASettings)
{
    TStorageUpdate update(&AStorage);
    for (const auto& [key, value] : QuotaSettingsValues(ASettings))
        AStorage.WriteString(QuotaSection, key, value);
    update.Commit();
    FSettings = ASettings;
}

void TQuotaControl::Notify(const TQuotaWarning& AWarning)
{
    std::string summary, body;
    QuotaWarningText(FSettings, AWarning, summary, body);
    FNotifier->Notify(QString::fromStdString(summary), QString::fromStdString(body));
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
