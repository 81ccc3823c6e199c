// TRateAlertControl: the rate alerts of the watched interfaces, their dialog and their notifications.
#pragma once

#include "alerts/rate_alert_monitor.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace qn {

class TDesktopNotifier;
class TLayoutManagerINIStorage;
class TTrayDock;
class Tfrm_qn_Watcher;

// Each watched interface's alerts are read from its [RateAlerts <name>] section when its panel is
// first seen, and written there by the dialog at once, whatever the persistence switch: they are no
// layout. At each tick every panel's rates go to its interface's conditions, in monotonic time; an
// alert that begins is sent through the desktop's notification service (each interface's newest
// replacing its older one), else the tray's message. "Rate Alerts..." in the panels' pop-up menu
// opens the dialog for the panel the menu was opened on. The window, the tray dock and the menu are
// borrowed and must outlive this object.
class TRateAlertControl
{
public:
    TRateAlertControl(QWidget* AWindow, TTrayDock& ATray, QMenu* APopup);
    ~TRateAlertControl();

    // One reading of every panel at ANowMs (monotonic milliseconds).
    void Tick(const std::vector<Tfrm_qn_Watcher*>& APanels, std::uint64_t ANowMs, TLayoutManagerINIStorage& AStorage);
    // "Rate Alerts..." for AInterface: EditSettings edits a copy; an accepted one is written at once
    // and starts the interface's conditions afresh.
    void Edit(const std::string& AInterface, TLayoutManagerINIStorage& AStorage);
    // The settings in use for AInterface (read first when not yet).
    const TRateAlertSettings& Settings(const std::string& AInterface, TLayoutManagerINIStorage& AStorage);

    // The notification texts of AAlert on AInterface.
    static void AlertText(const std::string& AInterface, const TRateAlertSettings& ASettings, const TRateAlert& AAlert,
                          QString& ASummary, QString& ABody);

    // The "Rate Alerts" dialog unless replaced; true when the user accepted.
    std::function<bool(QWidget* AParent, const QString& AInterface, TRateAlertSettings& ASettings)> EditSettings;
    // A warning box over the window, told without waiting for an answer.
    std::function<void(const QString& AMessage)> ShowMessage;
    // The storage "Rate Alerts..." writes to; the window's settings file.
    std::function<TLayoutManagerINIStorage*()> Storage;
    QAction* Action() const { return FAction; }

private:
    struct TEntry
    {
        TRateAlertMonitor Monitor;
        TDesktopNotifier* Notifier = nullptr;
    };

    TEntry& Entry(const std::string& AInterface, TLayoutManagerINIStorage& AStorage);

    QWidget* FWindow;
    TTrayDock& FTray;
    QAction* FAction = nullptr;
    QPointer<Tfrm_qn_Watcher> FMenuPanel;
    std::map<std::string, TEntry> FEntries;
};

} // namespace qn
