// The main window: its components, the start-up order, the actions, the timers, its frame, the tray
// and the session.
#include "mainwindow/window/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "appview/app_traffic_feed.h"
#include "appview/wnd_qn_apps.h"
#include "history/history_recording.h"
#include "historyview/dlg_qn_history.h"
#include "layout/settings_storage.h"
#include "mainwindow/frame/caption_switch.h"
#include "mainwindow/frame/main_caption_window.h"
#include "mainwindow/frame/sizing_frame.h"
#include "mainwindow/frame/top_most_window.h"
#include "mainwindow/frame/window_drag.h"
#include "mainwindow/frame/window_metrics.h"
#include "mainwindow/frame/window_snapper.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/interface_list/monitor_menu.h"
#include "mainwindow/interface_list/watched_interfaces.h"
#include "mainwindow/interface_list/watcher_panels.h"
#include "mainwindow/session/sleep_watch.h"
#include "mainwindow/tray/tray_dock.h"
#include "mainwindow/tray/tray_traffic_feed.h"
#include "mainwindow/window/dlg_qn_adapter_info.h"
#include "mainwindow/window/main_actions.h"
#include "mainwindow/window/main_components.h"
#include "mainwindow/window/main_persistence.h"
#include "mainwindow/window/quota_control.h"
#include "mainwindow/window/rate_alert_control.h"
#include "netdata/network_change_notifier.h"
#include "platform/clock.h"
#include "platform/interface_scan.h"
#include "widgetkit/design_font.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace qn {

namespace {

// Design values.
constexpr int DesignClientWidth = 475;
constexpr int DesignClientHeight = 429;

} // namespace

Twnd_qn_Main::Twnd_qn_Main(QWidget* AParent)
    : TLMForm(AParent), FCaptionWindow(std::make_unique<TMainCaptionWindow>(this, SizingBorder))
{
    setObjectName(QStringLiteral("wnd_qn_Main"));
    SetLayoutControl(true);
    SetLayoutCheckPosition(true);
    SetLayoutReadOnly(true);
    ShowAboutDialog = [](QWidget* AParent) { qn::ShowAboutDialog(AParent); };
    ShowAdapterInfo = [this](QWidget* AParent, const TAdapter& AData) {
        qn::ShowAdapterInfo(AParent, AData, ilIntf32);
    };
    ShowHistory = [this](QWidget* AParent) {
        qn::ShowHistoryDialog(AParent, HistoryFile, Quota(), FQuota->Live(History));
    };
    CreateComponents();
    FormCreate();
}

Twnd_qn_Main::~Twnd_qn_Main()
{
    // No change may reach a window that is going away: stop the notifier first.
    FNCN.reset();
    Timer->stop();
    RefreshTimer->stop();
}

void Twnd_qn_Main::CreateComponents()
{
    setWindowTitle(QStringLiteral("Quarno"));
    setFont(DesignFont(11));
    // The cursor shows the sizing border while the caption is off.
    setMouseTracking(true);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    CreateActionsAndMenus(this, [this](const std::function<void()>& AWork) { Guarded(AWork); });
    CreateDesignComponents(this, client, PopupMenu1);
    layout->addWidget(Tree);

    auto* drag = new TWindowDrag(this, [this] { return !HasCaption(); });
    FPanels = std::make_unique<TWatcherPanels>(client, &ilIntf16, drag);
    ScrollBox = FPanels->Area();
    lStartHint = FPanels->StartHint();
    drag->AddArea(ScrollBox->viewport());
    drag->AddArea(ScrollBox->widget());
    layout->addWidget(ScrollBox, 1);
    setCentralWidget(client);

    new TSizingFrame(this, SizingBorder, [this] { return !HasCaption(); });
    FTrayDock = std::make_unique<TTrayDock>(this, TrayIcon);
    FSnapper = std::make_unique<TWindowSnapper>(this);
    FQuota = std::make_unique<TQuotaControl>(this, *FTrayDock);
    FRateAlerts = std::make_unique<TRateAlertControl>(this, *FTrayDock, PopupMenu1);
    FMonitorMenu = std::make_unique<TMonitorMenu>(mmInterface);
    ConnectActions();
    // The applications' totals cover the whole session; the recording copy keeps them per day.
    TAppTrafficFeed::Of(this)->Recorder = [this] { return History ? &History->Recorder() : nullptr; };

    connect(Timer, &QTimer::timeout, this, &Twnd_qn_Main::TimerTimer);
    Timer->start();
    connect(RefreshTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshTimerTimer(); }); });

    const auto popup = [this](const QPoint&) { PopupMenu1->popup(QCursor::pos()); };
    connect(Tree, &QWidget::customContextMenuRequested, this, popup);
    connect(ScrollBox, &QWidget::customContextMenuRequested, this, popup);

    FPanels->Popup = PopupMenu1;
    FPanels->OnProperties = [this](const TAdapter& AAdapter) { Guarded([&] { ShowProperties(AAdapter); }); };

    resize(DesignClientWidth, DesignClientHeight + MainMenu->sizeHint().height());
}

void Twnd_qn_Main::ConnectActions()
{
    ConnectExecute(acExit, [this] { close(); });
    ConnectExecute(acAbout, [this] { TMW->ShowModal(ShowAboutDialog); });
    ConnectExecute(acHide, [this] { FTrayDock->Hide(); });
    ConnectExecute(acRefresh, [this] { RefreshData(); });
    ConnectExecute(acPersistent, [this] { FPersistence->SwitchChanged(); });
    ConnectExecute(acHistory, [this] { TMW->ShowModal(ShowHistory); });
    ConnectExecute(acApps, [this] { ShowApplicationsWindow(this); });
    ConnectExecute(acQuota, [this] { TMW->WhileLifted([this] { FQuota->Edit(*SettingsStorage(), History); }); });
    ConnectToggle(
        acOnTop, [this] { return TMW->AlwaysOnTop(); }, [this](bool AOn) { acOnTopExecute(AOn); });
    ConnectToggle(
        acIntfView, [this] { return Tree->Visible(); }, [this](bool AShown) { acIntfViewExecute(AShown); });
    ConnectToggle(
        acCaption, [this] { return CaptionShown(); }, [this](bool AShown) { acCaptionExecute(AShown); });
    ConnectToggle(
        acOOI, [this] { return Tree->OnlyOperational(); }, [this](bool AOnly) { acOOIExecute(AOnly); });
    ConnectToggle(
        acTrayTraffic, [this] { return TrayIcon->ShowTraffic(); },
        [this](bool AShown) {
            TrayIcon->SetShowTraffic(AShown);
            RefreshTrayTraffic();
        });
}

void Twnd_qn_Main::FormCreate()
{
    CenterTo(nullptr);

    const QIcon icon = ApplicationIcon();
    setWindowIcon(icon);
    TrayIcon->SetPlain(icon, QGuiApplication::applicationDisplayName());
    // Shown whether or not a tray is there: Qt docks the icon whenever a tray appears.
    TrayIcon->show();
    FTrayDock->Update();

    FNCC = std::make_unique<TNetworkConfiguration>();
    // Changes are queued into the event loop; the notifier waits until each has run.
    FNCN = std::make_unique<TNetworkChangeNotifier>([](std::function<void()> ACall) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(ACall), Qt::QueuedConnection);
    });
    FNCN->OnChange = [this](TNetworkChangeNotifier* ASender, std::uint32_t ARes) {
        NetworkChangeNotifierChange(ASender, ARes);
    };
    FNCC->RefreshData();

    FTreeModel = new TIntfListModel(FNCC.get(), &ilIntf16, this);
    Tree->setModel(FTreeModel);
    Tree->ApplyColumnDesign();
    Tree->OnDblClick = [this] { Guarded([this] { TreeDblClick(); }); };

    FPersistence = std::make_unique<TMainPersistence>(*this, *this, acPersistent, *FNCC);
    FWatched = std::make_unique<TWatchedInterfaces>(
        *FNCC, *FPanels, *FMonitorMenu, *FTreeModel, FPersistence->Choices(), [this] { return Clock; }, Guard());
    FQuota->Load(*SettingsStorage(), History);
    SetOnAfterRestore([this](TLayoutManager*) { Guarded([this] { LMFormAfterRestore(); }); });
    SetUpSleepWatch();
}

void Twnd_qn_Main::LMFormAfterRestore()
{
    FPersistence->Restored();
    MirrorToggles();
    // A size restored from the file with the caption off is already the caption-less window's:
    // taking the caption off again must not change it (else the height drifts from start to start).
    const QSize restored = size();
    const bool keepRestoredSize = !CaptionShown() && HasCaption() && restored != FSizeBeforeRestore;
    UpdateCaption(false);
    if (keepRestoredSize)
        resize(restored);
    RefreshData();
}

void Twnd_qn_Main::RefreshData()
{
    {
        // One reading of the kernel's tables serves the snapshot and the history's interface classes.
        const TInterfaceScan scan;
        FNCC->RefreshData();
        if (History)
            History->SetInterfaces(*FNCC);
    }
    RefreshWatchers();
    RefreshTree();
    RefreshMonitorMenu();
}

void Twnd_qn_Main::RefreshWatchers()
{
    FWatched->RefreshWatchers();
}

void Twnd_qn_Main::RefreshTree()
{
    Tree->Rebuild();
}

void Twnd_qn_Main::RefreshMonitorMenu()
{
    FMonitorMenu->Refresh(*FNCC);
}

void Twnd_qn_Main::RefreshTraffic()
{
    FTreeModel->RefreshCounters();
}

void Twnd_qn_Main::AddWatcher(const TAdapter& AData)
{
    FWatched->AddWatcher(AData);
}

void Twnd_qn_Main::RemoveWatcher(const TAdapter& AData)
{
    FWatched->RemoveWatcher(AData);
}

void Twnd_qn_Main::RemoveWatcher(std::uint32_t AIndex)
{
    FWatched->RemoveWatcher(AIndex);
}

const std::vector<Tfrm_qn_Watcher*>& Twnd_qn_Main::Watchers() const
{
    return FPanels->Panels();
}

// --- Actions -------------------------------------------------------------------------------------

void Twnd_qn_Main::acOnTopExecute(bool AOn)
{
    TMW->SetAlwaysOnTop(AOn);
}

void Twnd_qn_Main::acCaptionExecute(bool AShown)
{
    TMW->SetTag(AShown ? 1 : 0);
    UpdateCaption(true);
}

void Twnd_qn_Main::acOOIExecute(bool AOnly)
{
    Tree->SetTag(AOnly ? 1 : 0);
    RefreshData();
}

void Twnd_qn_Main::acIntfViewExecute(bool AShown)
{
    if (AShown == Tree->Visible())
        return;
    Tree->SetVisible(AShown);
    // The watcher area keeps its size: the window grows or shrinks by the list.
    ProgramGeometryChange([this, AShown] { resize(width(), height() + (AShown ? Tree->height() : -Tree->height())); });
}

void Twnd_qn_Main::TreeDblClick()
{
    const int i = FTreeModel->AdapterIndexAt(Tree->FocusedRow());
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i); // the dialog may outlive a refresh of the snapshot
    ShowProperties(a);
}

void Twnd_qn_Main::ShowProperties(const TAdapter& AData)
{
    if (ShowAdapterInfo)
        TMW->WhileLifted([&] { ShowAdapterInfo(this, AData); });
}

// --- Data cap ------------------------------------------------------------------------------------

const TQuotaSettings& Twnd_qn_Main::Quota() const
{
    return FQuota->Settings();
}

void Twnd_qn_Main::NotifyQuota(const TQuotaWarning& AWarning)
{
    FQuota->Notify(AWarning);
}

TDesktopNotifier* Twnd_qn_Main::Notifier() const
{
    return FQuota->Notifier();
}

// --- Timer, closing, changes ---------------------------------------------------------------------

void Twnd_qn_Main::closeEvent(QCloseEvent* AEvent)
{
    TLMForm::closeEvent(AEvent);
    if (AEvent->isAccepted())
        emit Closed();
}

void Twnd_qn_Main::TimerTimer()
{
    FSleepWatch->Check(Clock);
    FTrayDock->Tick();
    RefreshTraffic();
    RefreshTrayTraffic();
    FRateAlerts->Tick(Watchers(), Clock ? Clock->TickCount() : GetTickCount64(), *SettingsStorage());
    if (History)
        History->Tick();
}

void Twnd_qn_Main::NetworkChangeNotifierChange(TNetworkChangeNotifier*, std::uint32_t)
{
    if (!RefreshTimer->isActive())
        RefreshTimer->start();
}

void Twnd_qn_Main::RefreshTimerTimer()
{
    RefreshTimer->stop();
    RefreshData();
}

// The main window's frame: whether it has a caption, its own border without one, and the snap to the
// work area's edges.
bool Twnd_qn_Main::CaptionShown() const
{
    return TMW->Tag() != 0;
}

void Twnd_qn_Main::UpdateCaption(bool AToggled)
{
    ProgramGeometryChange(
        [this, AToggled] { qn::UpdateCaption(*FCaptionWindow, CaptionShown(), AToggled, GetCaptionMetrics(this)); });
}

bool Twnd_qn_Main::HasCaption() const
{
    return FCaptionWindow->CaptionStyle();
}

int Twnd_qn_Main::FrameHeight() const
{
    return FCaptionWindow->Height();
}

void Twnd_qn_Main::paintEvent(QPaintEvent* AEvent)
{
    TLMForm::paintEvent(AEvent);
    if (HasCaption())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Twnd_qn_Main::moveEvent(QMoveEvent* AEvent)
{
    TLMForm::moveEvent(AEvent);
    FSnapper->Moved(AEvent->spontaneous());
}

void Twnd_qn_Main::SnapToWorkArea()
{
    FSnapper->Snap();
}

// The main window's tray side, handed to TTrayDock.
void Twnd_qn_Main::TrayIconClick()
{
    FTrayDock->Restore();
}

bool Twnd_qn_Main::TrayDocked() const
{
    return FTrayDock->Docked();
}

void Twnd_qn_Main::setVisible(bool AVisible)
{
    if (AVisible && !isVisible())
        FSizeBeforeRestore = size();
    TLMForm::setVisible(AVisible);
}

void Twnd_qn_Main::showEvent(QShowEvent* AEvent)
{
    FTrayDock->Showing();
    TLMForm::showEvent(AEvent);
    FTrayDock->Shown();
}

// The main window's traffic in the tray: the switch, and what each tick hands the tray icon.
void Twnd_qn_Main::RefreshTrayTraffic()
{
    if (!TrayIcon->ShowTraffic())
        return;
    const std::uint64_t now = Clock ? Clock->TickCount() : GetTickCount64();
    if (!TrayDocked()) {
        TrayIcon->Tick(false, now, {});
        return;
    }
    if (!FTrayFeed)
        FTrayFeed = std::make_unique<TTrayTrafficFeed>(Clock ? *Clock : SystemClock());
    TrayIcon->Tick(true, now, FTrayFeed->Collect(Watchers(), *FNCC));
}

// The main window across the user's day: the end of the session, and the machine's sleep and wake.
void Twnd_qn_Main::EndSession()
{
    // Exactly what File > Exit does: the close, after which the program writes the history and
    // saves the layout on its way out.
    acExit->trigger();
}

void Twnd_qn_Main::SaveSession()
{
    // The save of a move or resize is due anyway; a layout that is read-only saves nothing.
    FlushPendingSave();
    Guarded([this] { LayoutManager()->Save(); });
    if (History)
        History->WriteNow();
}

void Twnd_qn_Main::SetUpSleepWatch()
{
    FSleepWatch = std::make_unique<TSleepWatch>(this);
    FSleepWatch->OnSleep = [this] { Guarded([this] { PrepareForSleep(); }); };
    FSleepWatch->OnResume = [this] { Guarded([this] { ResumeFromSleep(); }); };
    FSleepWatch->Missing = [this] { return FPanels->AnyMissing(); };
    FSleepWatch->OnLook = [this] { Guarded([this] { RefreshData(); }); };
}

int Twnd_qn_Main::ResumeCount() const
{
    return FSleepWatch->ResumeCount();
}

void Twnd_qn_Main::PrepareForSleep()
{
    // The traffic up to the sleep is counted now; the links may be gone or new after the wake.
    FPanels->StartNewBaselines();
    if (History)
        History->WriteNow();
}

void Twnd_qn_Main::ResumeFromSleep()
{
    FSleepWatch->Woken();
    RefreshData();
    FPanels->StartNewBaselines();
    if (History)
        History->WriteNow();
    FSleepWatch->StartLooks();
}

} // namespace qn
