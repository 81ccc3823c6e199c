// TRateAlertControl: settings per interface, the panels' rates into the conditions, the alerts out.
#include "mainwindow/window/rate_alert_control.h"

#include "alerts/dlg_qn_rate_alerts.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/session/desktop_notifier.h"
#include "mainwindow/tray/tray_dock.h"
#include "texts/quantity_format.h"
#include "watcher/frm_qn_watcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

namespace qn {

namespace {

QString Tr(const char* AText)
{
    return QCoreApplication::translate("qn::TRateAlertControl", AText);
}

QString Level(std::uint64_t ABytes)
{
    return QCoreApplication::translate("qn::TRateAlertControl", "%1/s")
        .arg(QString::fromStdString(FormatBytes(static_cast<double>(ABytes))));
}

QString Duration(int ASeconds)
{
    const int minutes = ASeconds / 60;
    const QString inMinutes = QCoreApplication::translate("qn::TRateAlertControl", "%n min", nullptr, minutes);
    const QString inSeconds = QCoreApplication::translate("qn::TRateAlertControl", "%n s", nullptr, ASeconds);
    return ASeconds % 60 == 0 ? inMinutes : inSeconds;
}

} // namespace

TRateAlertControl::TRateAlertControl(QWidget* AWindow, TTrayDock& ATray, QMenu* APopup)
    : EditSettings([](QWidget* AParent, const QString& AInterface, TRateAlertSettings& ASettings) {
          return EditRateAlertSettings(AParent, AInterface, ASettings);
      }),
      ShowMessage([AWindow](const QString& AMessage) {
          auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), AMessage,
                                      QMessageBox::Ok, AWindow);
          box->setAttribute(Qt::WA_DeleteOnClose);
          box->open();
      }),
      Storage([] { return SettingsStorage().get(); }), FWindow(AWindow), FTray(ATray)
{
    if (!APopup)
        return;
    FAction = new QAction(QCoreApplication::translate("qn::TRateAlertControl", "Rate Alerts..."), APopup);
    FAction->setObjectName(QStringLiteral("acRateAlerts"));
    FAction->setVisible(false);
    APopup->addAction(FAction);
    // The panel marks the menu before it opens it; opened from elsewhere, the menu has no panel.
    QObject::connect(APopup, &QMenu::aboutToShow, FAction, [this, APopup] {
        FMenuPanel =
            qobject_cast<Tfrm_qn_Watcher*>(APopup->property(Tfrm_qn_Watcher::PopupPanelProperty).value<QObject*>());
        APopup->setProperty(Tfrm_qn_Watcher::PopupPanelProperty, QVariant());
        FAction->setVisible(FMenuPanel != nullptr);
    });
    QObject::connect(FAction, &QAction::triggered, FAction, [this] {
        if (FMenuPanel && Storage && Storage())
            Edit(FMenuPanel->Adapter.Name, *Storage());
    });
}

TRateAlertControl::~TRateAlertControl() = default;

TRateAlertControl::TEntry& TRateAlertControl::Entry(const std::string& AInterface, TLayoutManagerINIStorage& AStorage)
{
    const auto found = FEntries.find(AInterface);
    if (found != FEntries.end())
        return found->second;
    TEntry& entry = FEntries[AInterface];
    const std::string section = RateAlertSection(AInterface);
    std::vector<std::string> bad;
    entry.Monitor.Configure(ReadRateAlertSettings(
        [&](std::string_view AKey) -> std::optional<std::string> {
            const std::string key(AKey);
            if (!AStorage.ValueExists(section, key))
                return std::nullopt;
            return AStorage.ReadString(section, key, {});
        },
        bad));
    if (!bad.empty() && ShowMessage) {
        QStringList keys;
        for (const std::string& key : bad)
            keys << QString::fromStdString(key);
        ShowMessage(QCoreApplication::translate("qn::TRateAlertControl",
                                                "The rate alert settings of %1 hold values that cannot be used (%2); "
                                                "their defaults are used instead.")
                        .arg(QString::fromStdString(AInterface), keys.join(QStringLiteral(", "))));
    }
    return entry;
}

const TRateAlertSettings& TRateAlertControl::Settings(const std::string& AInterface, TLayoutManagerINIStorage& AStorage)
{
    return Entry(AInterface, AStorage).Monitor.Settings();
}

void TRateAlertControl::Tick(const std::vector<Tfrm_qn_Watcher*>& APanels, std::uint64_t ANowMs,
                             TLayoutManagerINIStorage& AStorage)
{
    const double now = static_cast<double>(ANowMs) / 1000.0;
    for (Tfrm_qn_Watcher* panel : APanels) {
        const std::string& name = panel->Adapter.Name;
        if (name.empty())
            continue;
        TEntry& entry = Entry(name, AStorage);
        if (!entry.Monitor.Settings().Enabled())
            continue;
        // A panel whose interface is away reads nothing: no rate, not a stall.
        if (!panel->AdapterPresent)
            continue;
        const TWatcherStatistics& statistics = panel->Statistics();
        for (const TRateAlert& alert : entry.Monitor.Sample(now, statistics.RateDL(), statistics.RateUL())) {
            QString summary, body;
            AlertText(name, entry.Monitor.Settings(), alert, summary, body);
            if (!entry.Notifier) {
                entry.Notifier = new TDesktopNotifier(FWindow);
                entry.Notifier->setObjectName(QStringLiteral("RateAlertNotifier"));
                entry.Notifier->TrayMessage = [this](const QString& ASummary, const QString& ABody) {
                    return FTray.ShowWarning(ASummary, ABody);
                };
            }
            entry.Notifier->Notify(summary, body);
        }
    }
}

void TRateAlertControl::Edit(const std::string& AInterface, TLayoutManagerINIStorage& AStorage)
{
    TEntry& entry = Entry(AInterface, AStorage);
    TRateAlertSettings edited = entry.Monitor.Settings();
    if (!EditSettings || !EditSettings(FWindow, QString::fromStdString(AInterface), edited))
        return;
    const std::string section = RateAlertSection(AInterface);
    TStorageUpdate update(&AStorage);
    for (const auto& [key, value] : RateAlertSettingsValues(edited))
        AStorage.WriteString(section, key, value);
    update.Commit();
    entry.Monitor.Configure(edited);
}

void TRateAlertControl::AlertText(const std::string& AInterface, const TRateAlertSettings& ASettings,
                                  const TRateAlert& AAlert, QString& ASummary, QString& ABody)
{
    const QString name = QString::fromStdString(AInterface);
    const bool download = AAlert.Direction == TRateDirection::rdDownload;
    if (AAlert.Kind == TRateAlertKind::rakHigh) {
        const QString level = Level(ASettings.HighLevel);
        ASummary = (download ? Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "%1: the download stays above %2"))
                             : Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "%1: the upload stays above %2")))
                       .arg(name, level);
        ABody =
            (download
                 ? Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "The download rate of %1 has stayed above %2 for %3."))
                 : Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "The upload rate of %1 has stayed above %2 for %3.")))
                .arg(name, level, Duration(ASettings.HighSeconds));
        return;
    }
    const QString level = Level(ASettings.StallLevel);
    ASummary = (download ? Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "%1: the download stalled"))
                         : Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl", "%1: the upload stalled")))
                   .arg(name);
    ABody = (download ? Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl",
                                             "The download rate of %1 has stayed below %2 for %3 after it was above."))
                      : Tr(QT_TRANSLATE_NOOP("qn::TRateAlertControl",
                                             "The upload rate of %1 has stayed below %2 for %3 after it was above.")))
                .arg(name, level, Duration(ASettings.StallSeconds));
}

} // namespace qn
