// The main window: its components, the start-up order, the actions and the timers.
#include "mainwindow/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "appview/app_traffic_feed.h"
#include "appview/wnd_qn_apps.h"
#include "historyview/dlg_qn_history.h"
#include "mainwindow/dlg_qn_adapter_info.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/main_actions.h"
#include "mainwindow/main_caption_window.h"
#include "mainwindow/main_components.h"
#include "mainwindow/main_persistence.h"
#include "mainwindow/monitor_menu.h"
#include "mainwindow/quota_control.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/sizing_frame.h"
#include "mainwindow/sleep_watch.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/tray_dock.h"
#include "mainwindow/tray_traffic_feed.h"
#include "mainwindow/watched_interfaces.h"
#include "mainwindow/watcher_panels.h"
#include "mainwindow/window_drag.h"
#include "mainwindow/window_metrics.h"
#include "mainwindow/window_snapper.h"
#include "netdata/network_change_notifier.h"
#include "platform/interface_scan.h"
#include "widgetkit/design_font.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
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
        acOnTop, [this] { return TMW->AlwaysOnTop(); }, [this](bool AOn) { TMW->SetAlwaysOnTop(AOn); });
    ConnectToggle(
        acIntfView, [this] { return Tree->Visible(); }, [this](bool AShown) { acIntfViewExecute(AShown); });
    ConnectToggle(
        acCaption, [this] { return CaptionShown(); },
        [this](bool AShown) {
            TMW->SetTag(AShown ? 1 : 0);
            UpdateCaption(true);
        });
    ConnectToggle(
        acOOI, [this] { return Tree->OnlyOperational(); },
        [this](bool AOnly) {
            Tree->SetTag(AOnly ? 1 : 0);
            RefreshData();
        });
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
    FWatched->Refresh();
    Tree->Rebuild();
    FMonitorMenu->Refresh(*FNCC);
}

void Twnd_qn_Main::AddWatcher(const TAdapter& AData)
{
    FWatched->Add(AData);
}

const std::vector<Tfrm_qn_Watcher*>& Twnd_qn_Main::Watchers() const
{
    return FPanels->Panels();
}

// --- Actions -------------------------------------------------------------------------------------

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
    FTrayDock->Update();
    FTreeModel->RefreshCounters();
    RefreshTrayTraffic();
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

} // namespace qn
