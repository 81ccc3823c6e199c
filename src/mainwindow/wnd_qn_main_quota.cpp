// The main window's data cap: the "Data Cap..." dialog, the cap's messages and the warnings.
#include "mainwindow/wnd_qn_main.h"

#include "historyview/dlg_qn_quota.h"
#include "historyview/quota_text.h"
#include "mainwindow/desktop_notifier.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/quota_control.h"
#include "mainwindow/settings_storage.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>

namespace qn {

void Twnd_qn_Main::CreateQuota()
{
    FQuota = std::make_unique<TQuotaControl>();
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
        if (!TrayDocked())
            return false;
        TrayIcon->showMessage(ASummary, ABody, QSystemTrayIcon::Warning);
        return true;
    };
    LoadQuota();
}

const TQuotaSettings& Twnd_qn_Main::Quota() const
{
    return FQuota->Settings();
}

void Twnd_qn_Main::LoadQuota()
{
    if (const std::string message = FQuota->Load(*SettingsStorage()); !message.empty() && ShowQuotaMessage)
        ShowQuotaMessage(QString::fromStdString(message));
    if (History)
        History->SetQuota(Quota());
}

void Twnd_qn_Main::acQuotaExecute()
{
    TQuotaSettings edited = Quota();
    bool accepted = false;
    WithTopMostLifted([&] { accepted = EditQuota && EditQuota(this, edited); });
    if (!accepted)
        return;
    FQuota->Store(*SettingsStorage(), edited);
    if (History)
        History->SetQuota(Quota());
}

void Twnd_qn_Main::NotifyQuota(const TQuotaWarning& AWarning)
{
    std::string summary, body;
    QuotaWarningText(Quota(), AWarning, summary, body);
    if (Notifier)
        Notifier->Notify(QString::fromStdString(summary), QString::fromStdString(body));
}

} // namespace qn
