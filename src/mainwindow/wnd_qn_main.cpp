// The main window: its components, the start-up order, the actions and the timers.
#include "mainwindow/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "historyview/dlg_qn_history.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/dlg_qn_adapter_info.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/main_actions.h"
#include "mainwindow/main_caption_window.h"
#include "mainwindow/main_components.h"
#include "mainwindow/monitor_menu.h"
#include "mainwindow/quota_control.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/sizing_frame.h"
#include "mainwindow/sleep_watch.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/tray_dock.h"
#include "mainwindow/tray_traffic_feed.h"
#include "mainwindow/watch_choices.h"
#include "mainwindow/watcher_panels.h"
#include "mainwindow/window_flags.h"
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
#include <QSystemTrayIcon>
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

    CreateActionsAndMenus(this);
    CreateDesignComponents(this, client, PopupMenu1);
    layout->addWidget(Tree);

    FPanels = std::make_unique<TWatcherPanels>(client, &ilIntf16, this);
    ScrollBox = FPanels->Area();
    lStartHint = FPanels->StartHint();
    ScrollBox->viewport()->installEventFilter(this);
    ScrollBox->widget()->installEventFilter(this);
    layout->addWidget(ScrollBox, 1);
    setCentralWidget(client);

    const std::pair<QAction*, std::function<void()>> handlers[] = {
        {acExit, [this] { close(); }},
        {acAbout, [this] { ShowModal(ShowAboutDialog); }},
        {acOnTop,
         [this] {
             TMW->SetAlwaysOnTop(!TMW->AlwaysOnTop());
             acOnTop->setChecked(TMW->AlwaysOnTop());
         }},
        {acIntfView, [this] { acIntfViewExecute(); }},
        {acCaption,
         [this] {
             TMW->SetTag(acCaption->isChecked() ? 1 : 0);
             UpdateCaption(true);
         }},
        {acHide, [this] { FTrayDock->Hide(); }},
        {acOOI,
         [this] {
             Tree->SetTag(acOOI->isChecked() ? 1 : 0);
             RefreshData();
         }},
        {acRefresh, [this] { RefreshData(); }},
        {acPersistent, [this] { acPersistentExecute(); }},
        {acHistory, [this] { ShowModal(ShowHistory); }},
        {acQuota, [this] { acQuotaExecute(); }},
        {acTrayTraffic,
         [this] {
             TrayIcon->SetShowTraffic(acTrayTraffic->isChecked());
             RefreshTrayTraffic();
         }},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, [this, h = handler] { Guarded(h); });
    new TSizingFrame(this, SizingBorder, [this] { return !HasCaption(); });

    FTrayDock = std::make_unique<TTrayDock>(this, TrayIcon);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason AReason) {
        if (AReason == QSystemTrayIcon::Trigger)
            TrayIconClick();
    });

    FSnapper = std::make_unique<TWindowSnapper>(this);
    connect(Timer, &QTimer::timeout, this, &Twnd_qn_Main::TimerTimer);
    Timer->start();
    connect(RefreshTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshTimerTimer(); }); });

    const auto popup = [this](const QPoint&) { PopupMenu1->popup(QCursor::pos()); };
    connect(Tree, &QWidget::customContextMenuRequested, this, popup);
    connect(ScrollBox, &QWidget::customContextMenuRequested, this, popup);

    FPanels->Popup = PopupMenu1;
    FPanels->OnProperties = [this](const TAdapter& AAdapter) {
        Guarded([this, &AAdapter] {
            if (ShowAdapterInfo)
                WithTopMostLifted([this, &AAdapter] { ShowAdapterInfo(this, AAdapter); });
        });
    };
    FMonitorMenu = std::make_unique<TMonitorMenu>(mmInterface);
    FMonitorMenu->OnChoose = [this](QAction* AItem) { Guarded([this, AItem] { cmIntfClick(AItem); }); };

    resize(DesignClientWidth, DesignClientHeight + MainMenu->sizeHint().height());
}

void Twnd_qn_Main::FormCreate()
{
    CenterTo(nullptr);

    const QIcon icon = ApplicationIcon();
    setWindowIcon(icon);
    TrayIcon->SetPlain(icon, QGuiApplication::applicationDisplayName());
    // Shown whether or not a tray is there: Qt docks the icon whenever a tray appears.
    TrayIcon->show();
    UpdateTrayState();

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
    FTreeModel->OnChecked = [this](int ARow, bool AChecked) {
        Guarded([=, this] { ChooseWatch(FTreeModel->AdapterIndexAt(ARow), AChecked); });
    };
    Tree->setModel(FTreeModel);
    Tree->ApplyColumnDesign();
    Tree->OnDblClick = [this] { Guarded([this] { TreeDblClick(); }); };

    TLayoutManager& lm = *LayoutManager();
    lm.SetStorage(SettingsStorage());
    lm.Add(Tree, {"Visible", "Tag"}, {}, 0);
    lm.Add(TMW, {"AlwaysOnTop", "Tag"});
    lm.Add(acPersistent, {"Checked"});
    lm.Add(TrayIcon, {"ShowTraffic"});
    FWatch = std::make_unique<TWatchChoices>(lm.StoredValues());
    FWatch->Register(*FNCC);

    CreateQuota();

    SetOnAfterRestore([this](TLayoutManager*) { Guarded([this] { LMFormAfterRestore(); }); });
    SetOnBeforeSave([this](TLayoutManager*) { FWatch->Prune(*FNCC, true); });
    SetUpSleepWatch();
}

void Twnd_qn_Main::LMFormAfterRestore()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
    acOnTop->setChecked(TMW->AlwaysOnTop());
    acCaption->setChecked(CaptionShown());
    acIntfView->setChecked(Tree->Visible());
    acOOI->setChecked(OnlyOperational());
    acTrayTraffic->setChecked(TrayIcon->ShowTraffic());
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
    FMonitorMenu->Refresh(*FNCC);
}

// --- Actions -------------------------------------------------------------------------------------

void Twnd_qn_Main::acIntfViewExecute()
{
    const bool shown = !Tree->Visible();
    Tree->SetVisible(shown);
    acIntfView->setChecked(shown);
    // The watcher area keeps its size: the window grows or shrinks by the list.
    ProgramGeometryChange([this, shown] { resize(width(), height() + (shown ? Tree->height() : -Tree->height())); });
}

void Twnd_qn_Main::acPersistentExecute()
{
    // Decision: turning persistence off is itself remembered (and nothing else), else the next
    // start would restore the switch as on from the last save.
    SetLayoutReadOnly(!acPersistent->isChecked());
    TLayoutManager& lm = *LayoutManager();
    if (const int i = lm.FindComponent(acPersistent); i >= 0 && !acPersistent->isChecked())
        lm.Items(i).Save();
}

// --- Caption -------------------------------------------------------------------------------------

bool Twnd_qn_Main::CaptionShown() const
{
    return TMW->Tag() != 0;
}

bool Twnd_qn_Main::OnlyOperational() const
{
    return Tree->Tag() != 0;
}

void Twnd_qn_Main::HideCaption()
{
    qn::HideCaption(*FCaptionWindow, GetCaptionMetrics(this));
}

void Twnd_qn_Main::ShowCaption()
{
    qn::ShowCaption(*FCaptionWindow, GetCaptionMetrics(this));
}

void Twnd_qn_Main::UpdateCaption(bool AToggled)
{
    ProgramGeometryChange(
        [this, AToggled] { qn::UpdateCaption(*FCaptionWindow, CaptionShown(), AToggled, GetCaptionMetrics(this)); });
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
    UpdateTrayState();
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

// --- Helpers -------------------------------------------------------------------------------------

void Twnd_qn_Main::ShowModal(const std::function<void(QWidget* AParent)>& ADialog)
{
    if (ADialog)
        WithTopMostLifted([&] { ADialog(this); });
}

void Twnd_qn_Main::WithTopMostLifted(const std::function<void()>& ADialog)
{
    const bool lifted = TMW->AlwaysOnTop();
    if (lifted)
        SetWindowFlagLive(this, Qt::WindowStaysOnTopHint, false);
    try {
        ADialog();
    } catch (...) {
        if (lifted)
            SetWindowFlagLive(this, Qt::WindowStaysOnTopHint, true);
        throw;
    }
    if (lifted)
        SetWindowFlagLive(this, Qt::WindowStaysOnTopHint, true);
}

} // namespace qn
