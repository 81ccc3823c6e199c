// Twnd_qn_Main: the main window with the interface list, menus, actions, tray icon and main timer.
#pragma once

#include "history/quota_status.h"
#include "layout/lm_form.h"
#include "mainwindow/frame/caption_switch.h"
#include "mainwindow/tray/traffic_tray_icon.h"
#include "mainwindow/window/main_actions.h"
#include "mainwindow/window/main_components.h"
#include "netdata/network_configuration.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qn {

class IClock;
class TIntfListModel;
class Tfrm_qn_Watcher;
class TDesktopNotifier;
class THistoryRecording;
struct TQuotaWarning;
class TMainPersistence;
class TNetworkChangeNotifier;
class TMonitorMenu;
class TSleepWatch;
class TQuotaControl;
class TRateAlertControl;
class TTrayDock;
class TTrayTrafficFeed;
class TWatchedInterfaces;
class TWatcherPanels;
class TWindowSnapper;

// The program's one main window, wiring its parts together; the components and actions are its
// bases (TMainComponents, TMainActions), by their design names. Construction builds them and runs
// FormCreate: the window is centred, the snapshot is read once, the change notifier starts and
// TMainPersistence registers what is kept between starts. Each show restores the layout, and
// LMFormAfterRestore mirrors it into the actions, applies the caption choice and runs RefreshData.
// Everything runs on the GUI thread; the notifier's changes arrive there through the event loop.
class Twnd_qn_Main : public TLMForm, public TMainActions, public TMainComponents
{
    Q_OBJECT

public:
    explicit Twnd_qn_Main(QWidget* AParent = nullptr);
    ~Twnd_qn_Main() override;

    // Watches AData, or stops watching it or the interface AIndex, for this run only
    // (TWatchedInterfaces).
    void AddWatcher(const TAdapter& AData);
    void RemoveWatcher(const TAdapter& AData);
    void RemoveWatcher(std::uint32_t AIndex);
    // Re-reads the interfaces, then RefreshWatchers, RefreshTree and RefreshMonitorMenu.
    void RefreshData();

    // Read access for the panels, the dialogs and the tests.
    TNetworkConfiguration& NCC() { return *FNCC; }
    TNetworkChangeNotifier* NCN() { return FNCN.get(); }
    TIntfListModel* TreeModel() { return FTreeModel; }
    // The watcher panels in order of creation; each is owned by the scroll box's contents.
    const std::vector<Tfrm_qn_Watcher*>& Watchers() const;
    // The clock of the panels created from now on; null is the system's. Borrowed: it must outlive
    // the panels. Tests set it before the window is first shown.
    IClock* Clock = nullptr;

    // The caption and menu bar wanted (stored as TMW's Tag), and whether the window has them now.
    bool CaptionShown() const;
    bool HasCaption() const;
    // The outer height, caption included, as the caption switch counts it.
    int FrameHeight() const;

    // The dialogs, run with the window as their parent and its top-most state lifted; tests replace
    // them. The About dialog and an interface's properties (a double click on a list row, a panel's
    // button) by default show the real dialogs.
    std::function<void(QWidget* AParent)> ShowAboutDialog;
    std::function<void(QWidget* AParent, const TAdapter& AData)> ShowAdapterInfo;
    // The traffic recorder the one-second pass feeds and each refresh tells the interfaces; null
    // records nothing. Borrowed: it must outlive the window. HistoryFile is what "Traffic
    // History..." shows through ShowHistory.
    THistoryRecording* History = nullptr;
    std::string HistoryFile;
    std::function<void(QWidget* AParent)> ShowHistory;

    // The data cap (TQuotaControl), read at creation; "Data Cap..." edits it.
    const TQuotaSettings& Quota() const;
    void NotifyQuota(const TQuotaWarning& AWarning);
    TDesktopNotifier* Notifier() const;

    void setVisible(bool AVisible) override;

    // Event handlers, public so that tests can drive what has no offscreen equivalent.
    void TrayIconClick();
    // A change was noticed: RefreshTimer is armed.
    void NetworkChangeNotifierChange(TNetworkChangeNotifier* Sender, std::uint32_t ARes);
    // The coalesced refresh: RefreshData for every change noticed since the last one.
    void RefreshTimerTimer();
    void TimerTimer();
    // What TWindowSnapper does a moment after the window system last moved the window.
    void SnapToWorkArea();
    // Whether the tray icon is docked (TTrayDock), as last looked at.
    bool TrayDocked() const;

    // The ending of File > Exit, whoever asks for it: a termination signal, the session's end.
    void EndSession();
    // What the ending writes, without ending (the session manager's request to save): the layout
    // while persistence is on, and the history's traffic so far.
    void SaveSession();
    // Before the machine sleeps (TSleepWatch): the panels' totals and the history are brought up to now.
    void PrepareForSleep();
    // After a wake: the interfaces are read again, every panel and the history start new baselines,
    // and the late links are looked for.
    void ResumeFromSleep();
    int ResumeCount() const;

signals:
    // The window was closed ("Exit" or the window's close button): the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    void moveEvent(QMoveEvent* AEvent) override;
    void paintEvent(QPaintEvent* AEvent) override;

private:
    // The sizing border the window draws itself while it has no caption (and no frame from the
    // window manager), in pixels.
    static constexpr int SizingBorder = 4;

    void CreateComponents();
    void ConnectActions();
    void FormCreate();
    void LMFormAfterRestore();
    void SetUpSleepWatch();

    // The steps of RefreshData after the reading: the watched set and its panels' pictures
    // (TWatchedInterfaces), the list (TIntfTree), the "Monitor" menu (TMonitorMenu).
    void RefreshWatchers();
    void RefreshTree();
    void RefreshMonitorMenu();
    // Each tick: the list's counters (TIntfListModel).
    void RefreshTraffic();

    // The check items' handlers, with the check the user just gave them.
    void acOnTopExecute(bool AOn);
    void acIntfViewExecute(bool AShown);
    void acCaptionExecute(bool AShown);
    void acOOIExecute(bool AOnly);
    void UpdateCaption(bool AToggled);
    void TreeDblClick();
    void ShowProperties(const TAdapter& AData);

    // The tray picture and hint of this tick: the first panel's interface, or the best interface
    // while nothing is watched.
    void RefreshTrayTraffic();

    std::unique_ptr<TNetworkConfiguration> FNCC;
    std::unique_ptr<TNetworkChangeNotifier> FNCN;
    std::unique_ptr<TMainPersistence> FPersistence;
    std::unique_ptr<TWatcherPanels> FPanels;
    std::unique_ptr<TMonitorMenu> FMonitorMenu;
    TIntfListModel* FTreeModel = nullptr;
    std::unique_ptr<ICaptionWindow> FCaptionWindow;
    std::unique_ptr<TTrayDock> FTrayDock;
    QSize FSizeBeforeRestore; // the size before the restore of the current show
    std::unique_ptr<TWindowSnapper> FSnapper;
    std::unique_ptr<TQuotaControl> FQuota;
    std::unique_ptr<TRateAlertControl> FRateAlerts;
    std::unique_ptr<TSleepWatch> FSleepWatch;
    std::unique_ptr<TTrayTrafficFeed> FTrayFeed;
    std::unique_ptr<TWatchedInterfaces> FWatched;
};

} // namespace qn
