// The main window's data cap: the [Quota] settings, the "Data Cap..." dialog and the warnings.
#include "mainwindow/wnd_qn_main.h"

#include "historyview/dlg_qn_quota.h"
#include "historyview/quota_text.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/desktop_notifier.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/settings_storage.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>

namespace qn {

void Twnd_qn_Main::CreateQuota()
{
    EditQuota = [](QWidget* AParent, TQuotaSettings& ASettings) { return EditQuotaSettings(AParent, ASettings); };
    ShowQuotaMessage = [this](const QString& AMessage) {
        // Told without waiting for an answer, as the history's messages are.
        auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), AMessage,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    Notifier = new TDesktopNotifier(this);
    Notifier->setObjectName(QStringLiteral("Notifier"));
    Notifier->TrayMessage = [this](const QString& ASummary, const QString& ABody) {
        UpdateTrayState();
        if (!FTrayDocked)
            return false;
        TrayIcon->showMessage(ASummary, ABody, QSystemTrayIcon::Warning);
        return true;
    };
    LoadQuota();
}

void Twnd_qn_Main::LoadQuota()
{
    TLayoutManagerINIStorage& storage = *SettingsStorage();
    std::string message;
    // Read key by key from the file, whatever the persistence switch: the cap is no layout.
    FQuota = ReadQuotaSettings(
        [&](std::string_view AKey) -> std::optional<std::string> {
            const std::string key(AKey);
            if (!storage.ValueExists(QuotaSection, key))
                return std::nullopt;
            return storage.ReadString(QuotaSection, key, {});
        },
        message);
    if (!message.empty() && ShowQuotaMessage)
        ShowQuotaMessage(QString::fromStdString(message));
    if (History)
        History->SetQuota(FQuota);
}

std::optional<TQuotaStatus> Twnd_qn_Main::LiveQuota() const
{
    // A cap changed, or a period begun, since the last check has no live figures yet: the file's
    // are shown.
    if (!History || !History->Recording() || !FQuota.Enabled() || History->QuotaStatus().Limit != FQuota.Limit ||
        History->QuotaStatus().Window != QuotaWindowAt(FQuota, QDateTime::currentSecsSinceEpoch()))
        return std::nullopt;
    return History->QuotaStatus();
}

void Twnd_qn_Main::acQuotaExecute()
{
    TQuotaSettings edited = FQuota;
    bool accepted = false;
    WithTopMostLifted([&] { accepted = EditQuota && EditQuota(this, edited); });
    if (!accepted)
        return;
    TLayoutManagerINIStorage& storage = *SettingsStorage();
    // One replacement of the file for the whole section; a failure throws before anything changed.
    TStorageUpdate update(&storage);
    for (const auto& [key, value] : QuotaSettingsValues(edited))
        storage.WriteString(QuotaSection, key, value);
    update.Commit();
    FQuota = edited;
    if (History)
        History->SetQuota(FQuota);
}

void Twnd_qn_Main::NotifyQuota(const TQuotaWarning& AWarning)
{
    std::string summary, body;
    QuotaWarningText(FQuota, AWarning, summary, body);
    if (Notifier)
        Notifier->Notify(QString::fromStdString(summary), QString::fromStdString(body));
}

} // namespace qn
