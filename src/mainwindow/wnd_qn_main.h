// Twnd_qn_Main: the main window with the interface list, menus, actions, tray icon and main timer.
#pragma once

#include "history/quota_status.h"
#include "layout/lm_form.h"
#include "mainwindow/caption_switch.h"
#include "mainwindow/main_actions.h"
#include "mainwindow/main_components.h"
#include "mainwindow/traffic_tray_icon.h"
#include "netdata/network_configuration.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTimer;

namespace qn {

class IClock;
class TIntfListModel;
class TIntfTree;
class Tfrm_qn_Watcher;
class TDesktopNotifier;
class THistoryRecording;
struct TQuotaWarning;
class TNetworkChangeNotifier;
class TMonitorMenu;
class TSleepWatch;
class TQuotaControl;
class TTopMostWindow;
class TTrayDock;
class TTrayTrafficFeed;
class TWatchChoices;
class TWatcherPanels;
class TWindowSnapper;

// The program's one main window, wiring its parts together. Construction builds every component with
// its design values and runs FormCreate: the window is centred, the snapshot is read once, the change
// notifier starts and the persisted properties and per-interface values are registered with the
// layout manager, whose storage is SettingsStorage(). Each time the window is shown the layout
// manager restores the layout and LMFormAfterRestore mirrors it into the actions, applies the caption
// choice and runs RefreshData.
//
// Which interfaces are watched is TWatchChoices' answer, written into the snapshot's marks; the
// panels (TWatcherPanels), the list model and the "Monitor" menu (TMonitorMenu) follow the marks.
//
// Everything runs on the GUI thread; the notifier's changes arrive there through the event loop.
// The components and actions are its bases (TMainComponents, TMainActions), by their design names.
class Twnd_qn_Main : public TLMForm, public TMainActions, public TMainComponents
{
    Q_OBJECT

public:
    explicit Twnd_qn_Main(QWidget* AParent = nullptr);
    ~Twnd_qn_Main() override;

    void AddWatcher(const TAdapter& AData);
    void RemoveWatcher(const TAdapter& AData);
    void RemoveWatcher(std::uint32_t AIndex);
    // Re-reads the interfaces and brings the watched set, the list and the "Monitor" menu up to date.
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

    // The caption and menu bar wanted (stored as TMW's Tag).
    bool CaptionShown() const;
    // Whether the list shows only operational interfaces (stored as Tree's Tag).
    bool OnlyOperational() const;
    // Caption switch.
    bool HasCaption() const;
    void HideCaption();
    void ShowCaption();
    void UpdateCaption(bool AToggled);
    // The outer height, caption included, as the caption switch counts it.
    int FrameHeight() const;

    // Shows the About dialog; set by the program once the dialog exists. Lifted above the
    // top-most window while it runs.
    std::function<void(QWidget* AParent)> ShowAboutDialog;
    // Shows the properties of an interface (a double click on a list row).
    std::function<void(QWidget* AParent, const TAdapter& AData)> ShowAdapterInfo;
    // The traffic recorder the one-second pass feeds and each refresh tells the interfaces; null
    // records nothing. Borrowed: it must outlive the window. HistoryFile is what "Traffic
    // History..." shows through ShowHistory.
    THistoryRecording* History = nullptr;
    std::string HistoryFile;
    std::function<void(QWidget* AParent)> ShowHistory;

    // The data cap of the settings file's [Quota] section, read at creation and whatever the
    // persistence switch says; "Data Cap..." edits it through EditQuota (the dialog unless
    // replaced) and writes it at once. A bad value reaches ShowQuotaMessage once per reading.
    const TQuotaSettings& Quota() const;
    void LoadQuota();
    std::function<bool(QWidget* AParent, TQuotaSettings& ASettings)> EditQuota;
    std::function<void(const QString& AMessage)> ShowQuotaMessage;
    // Tells the user of a data cap warning: the desktop's notification service, else the tray.
    void NotifyQuota(const TQuotaWarning& AWarning);
    TDesktopNotifier* Notifier = nullptr;

    void setVisible(bool AVisible) override;

    // Event handlers, public so that tests can drive what has no offscreen equivalent.
    void TrayIconClick();
    void ScrollBoxMouseDown(Qt::MouseButton AButton);
    // A change was noticed: a refresh follows once the burst settles (RefreshTimer).
    void NetworkChangeNotifierChange(TNetworkChangeNotifier* Sender, std::uint32_t ARes);
    // The coalesced refresh: RefreshData for every change noticed since the last one.
    void RefreshTimerTimer();
    void TimerTimer();
    // ScreenSnap: puts the window onto the edges of its work area that it ends near (within 10
    // pixels); runs a moment after the window system last moved the window.
    void SnapToWorkArea();
    // Follows the tray as it comes and goes (at every tick and before "Hide"): while the icon is
    // docked the window has no taskbar or pager entry; a tray that went away while the window was
    // in it brings the window back, minimised.
    void UpdateTrayState();
    // Whether the tray icon is docked, as last seen by UpdateTrayState.
    bool TrayDocked() const;

    // The ending of File > Exit, whoever asks for it: a termination signal, the session's end.
    void EndSession();
    // What the ending writes, without ending (the session manager's request to save): the layout
    // while persistence is on, and the history's traffic so far.
    void SaveSession();
    // Before the machine sleeps: the panels' totals and the history are brought up to now.
    void PrepareForSleep();
    // After a wake (logind's signal, or the boot clock found ahead of the monotonic one at a tick):
    // the interfaces are read again, every panel and the history start new baselines, and for a
    // minute the interfaces are read again every few seconds while a watched one is not back.
    void ResumeFromSleep();
    // Resumes seen so far (for the tests and the log of a day).
    int ResumeCount() const;

signals:
    // The window was closed ("Exit" or the window's close button): the program ends.
    void Closed();

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void closeEvent(QCloseEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    void moveEvent(QMoveEvent* AEvent) override;
    void paintEvent(QPaintEvent* AEvent) override;

private:
    // The sizing border the window draws itself while it has no caption (and no frame from the
    // window manager), in pixels.
    static constexpr int SizingBorder = 4;

    void CreateComponents();
    void FormCreate();
    void LMFormAfterRestore();

    void acIntfViewExecute();
    void acPersistentExecute();
    void acQuotaExecute();
    void CreateQuota();
    void cmIntfClick(QAction* AItem);
    // The user watches or stops watching the interface at AIndex of the snapshot.
    void ChooseWatch(int AIndex, bool AWatched);
    void TreeDblClick();

    void RefreshWatchers();
    void RefreshTree();
    // The tray picture and hint of this tick: the first panel's interface, or the best interface
    // while nothing is watched.
    void RefreshTrayTraffic();
    // Runs a modal dialog with the window's top-most state lifted.
    void WithTopMostLifted(const std::function<void()>& ADialog);
    // Runs ADialog, when set, with the window as its parent and the top-most state lifted.
    void ShowModal(const std::function<void(QWidget* AParent)>& ADialog);
    int FindAdapterByIntfIdx(std::uint32_t AIntfIdx) const;

    std::unique_ptr<TNetworkConfiguration> FNCC;
    std::unique_ptr<TNetworkChangeNotifier> FNCN;
    std::unique_ptr<TWatchChoices> FWatch;
    std::unique_ptr<TWatcherPanels> FPanels;
    std::unique_ptr<TMonitorMenu> FMonitorMenu;
    TIntfListModel* FTreeModel = nullptr;
    std::unique_ptr<ICaptionWindow> FCaptionWindow;
    std::unique_ptr<TTrayDock> FTrayDock;
    QSize FSizeBeforeRestore; // the size before the restore of the current show
    std::unique_ptr<TWindowSnapper> FSnapper;
    std::unique_ptr<TQuotaControl> FQuota;

    void SetUpSleepWatch();
    std::unique_ptr<TSleepWatch> FSleepWatch;
    std::unique_ptr<TTrayTrafficFeed> FTrayFeed;
};

} // namespace qn
