// The main window: components with their design values, start-up order, actions, list and tray.
#include "mainwindow/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "historyview/dlg_qn_history.h"
#include "layout/design_font.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/adapter_image.h"
#include "mainwindow/counter_delegate.h"
#include "mainwindow/desktop_shell.h"
#include "mainwindow/dlg_qn_adapter_info.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/screen_snap.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/sizing_border.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/window_flags.h"
#include "mainwindow/window_metrics.h"
#include "netdata/network_change_notifier.h"
#include "netdata/string_list.h"
#include "platform/interface_name.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"
#include "watcher/read_out_panel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <exception>

namespace qn {

namespace {

// Design values.
constexpr int DesignClientWidth = 475;
constexpr int DesignClientHeight = 429;
constexpr int TreeHeight = 115;
constexpr int TimerIntervalMs = 1000;
constexpr int WatcherHeight = 210;
// The sizing border the window draws itself while it has no caption (and no frame from the window
// manager), in pixels.
constexpr int SizingBorder = 4;
// ScreenSnap: a window moved within this many pixels of a work-area edge goes onto it, once the
// move has rested this long (the window manager moves the window; only its result is seen here).
constexpr int SnapBuffer = 10;
constexpr int SnapDelayMs = 150;

// A panel belongs to an interface name, compared by the system's rule (exact bytes on Linux).
bool SameName(const std::string& A, const std::string& B)
{
    return SameInterfaceName(A, B);
}

} // namespace

// The main window as the caption switch sees it. Removing the caption keeps the outer height, as
// changing a window's style does; the switch then takes the caption's height off explicitly.
class Twnd_qn_Main::TCaptionWindow : public ICaptionWindow
{
public:
    explicit TCaptionWindow(Twnd_qn_Main* AWindow) : FWindow(AWindow) {}

    bool CaptionStyle() const override { return FWindow->HasCaption(); }
    void SetCaptionStyle(bool AOn) override
    {
        const int height = Height();
        SetWindowFlagLive(FWindow, Qt::FramelessWindowHint, !AOn);
        // The window manager gives a frameless window no border: the window keeps one of its own.
        const int border = AOn ? 0 : SizingBorder;
        FWindow->setContentsMargins(border, border, border, border);
        SetHeight(height);
    }
    TBorderStyle BorderStyle() const override { return TBorderStyle::Sizeable; }
    int Height() const override { return FWindow->FrameHeight(); }
    void SetHeight(int AHeight) override
    {
        const int caption = FWindow->FrameHeight() - FWindow->height();
        FWindow->resize(FWindow->width(), std::max(1, AHeight - caption));
    }
    void SetMenuBar(bool AShown) override { FWindow->MainMenu->setVisible(AShown); }

private:
    Twnd_qn_Main* FWindow;
};

Twnd_qn_Main::Twnd_qn_Main(QWidget* AParent)
    : TLMForm(AParent), ilIntf16(16, InterfaceImageResources()), ilIntf32(32, InterfaceImageResources()),
      FCaptionWindow(std::make_unique<TCaptionWindow>(this))
{
    setObjectName(QStringLiteral("wnd_qn_Main"));
    SetLayoutControl(true);
    SetLayoutCheckPosition(true);
    SetLayoutReadOnly(true);
    ShowAboutDialog = [](QWidget* AParent) { qn::ShowAboutDialog(AParent); };
    ShowAdapterInfo = [this](QWidget* AParent, const TAdapter& AData) {
        qn::ShowAdapterInfo(AParent, AData, ilIntf32);
    };
    ShowHistory = [this](QWidget* AParent) { qn::ShowHistoryDialog(AParent, HistoryFile); };
    CreateComponents();
    FormCreate();
}

Twnd_qn_Main::~Twnd_qn_Main()
{
    // No change may reach a window that is going away: stop the notifier first.
    FNCN.reset();
    Timer->stop();
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

    Tree = new TIntfTree(client);
    Tree->setObjectName(QStringLiteral("Tree"));
    Tree->setFixedHeight(TreeHeight);
    Tree->setFrameShape(QFrame::NoFrame);
    Tree->setRootIsDecorated(false);
    Tree->setItemsExpandable(false);
    Tree->setUniformRowHeights(true);
    Tree->setAllColumnsShowFocus(true);
    Tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tree->setSelectionMode(QAbstractItemView::SingleSelection);
    Tree->setIconSize(QSize(ilIntf16.Width(), ilIntf16.Height()));
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    Tree->SetTag(1);
    Tree->setVisible(false);
    layout->addWidget(Tree);

    ScrollBox = new QScrollArea(client);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* panels = new QWidget(ScrollBox);
    panels->setObjectName(QStringLiteral("ScrollBoxContents"));
    auto* panelLayout = new QVBoxLayout(panels);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addStretch(1);
    ScrollBox->setWidget(panels);
    ScrollBox->viewport()->installEventFilter(this);
    panels->installEventFilter(this);
    layout->addWidget(ScrollBox, 1);
    setCentralWidget(client);

    CreateActions();
    CreateMenus();

    TMW = new TTopMostWindow(this);
    TMW->setObjectName(QStringLiteral("TMW"));
    TMW->SetTag(1);

    TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setContextMenu(PopupMenu1);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason AReason) {
        if (AReason == QSystemTrayIcon::Trigger)
            TrayIconClick();
    });

    FSnapTimer = new QTimer(this);
    FSnapTimer->setSingleShot(true);
    FSnapTimer->setInterval(SnapDelayMs);
    connect(FSnapTimer, &QTimer::timeout, this, &Twnd_qn_Main::SnapToWorkArea);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(TimerIntervalMs);
    connect(Timer, &QTimer::timeout, this, &Twnd_qn_Main::TimerTimer);
    Timer->start();

    const auto popup = [this](const QPoint&) { PopupMenu1->popup(QCursor::pos()); };
    connect(Tree, &QWidget::customContextMenuRequested, this, popup);
    connect(ScrollBox, &QWidget::customContextMenuRequested, this, popup);

    resize(DesignClientWidth, DesignClientHeight + MainMenu->sizeHint().height());
}

void Twnd_qn_Main::CreateActions()
{
    struct TActionDesign
    {
        QAction** Target;
        const char* Name;
        const char* Category;
        const char* Caption;
        QKeySequence Shortcut;
        bool Toggles;
        bool Checked;
        void (Twnd_qn_Main::*Handler)();
    };
    const TActionDesign designs[] = {
        {&acExit, "acExit", "File", "E&xit", {}, false, false, &Twnd_qn_Main::acExitExecute},
        {&acAbout, "acAbout", "File", "About...", QKeySequence(Qt::Key_F1), false, false,
         &Twnd_qn_Main::acAboutExecute},
        {&acOnTop, "acOnTop", "View", "Always Visible", {}, true, false, &Twnd_qn_Main::acOnTopExecute},
        {&acIntfView, "acIntfView", "View", "Interface View", QKeySequence(Qt::CTRL | Qt::Key_I), true, false,
         &Twnd_qn_Main::acIntfViewExecute},
        {&acCaption, "acCaption", "View", "Window Caption", QKeySequence(Qt::CTRL | Qt::Key_W), true, false,
         &Twnd_qn_Main::acCaptionExecute},
        {&acHide, "acHide", "File", "Hide", {}, false, false, &Twnd_qn_Main::acHideExecute},
        {&acOOI, "acOOI", "View", "Only Operational Interfaces", {}, true, true, &Twnd_qn_Main::acOOIExecute},
        {&acRefresh, "acRefresh", "File", "Refresh", QKeySequence(Qt::Key_F5), false, false,
         &Twnd_qn_Main::acRefreshExecute},
        {&acPersistent,
         "acPersistent",
         "File",
         "Persistent layout and settings",
         {},
         true,
         false,
         &Twnd_qn_Main::acPersistentExecute},
        {&acHistory, "acHistory", "View", "Traffic History...", QKeySequence(Qt::CTRL | Qt::Key_H), false, false,
         &Twnd_qn_Main::acHistoryExecute},
    };
    for (const TActionDesign& d : designs) {
        auto* action = new QAction(QString::fromUtf8(d.Caption), this);
        action->setObjectName(QString::fromUtf8(d.Name));
        action->setProperty("Category", QString::fromUtf8(d.Category));
        action->setShortcut(d.Shortcut);
        action->setCheckable(d.Toggles);
        action->setChecked(d.Checked);
        // Added to the window itself, so shortcuts work while the menu bar is hidden.
        addAction(action);
        const auto handler = d.Handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        *d.Target = action;
    }
    acExit->setToolTip(QStringLiteral("Exit"));
    acExit->setStatusTip(QStringLiteral("Quits the application"));
}

void Twnd_qn_Main::CreateMenus()
{
    MainMenu = menuBar();
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    const auto separator = [](QMenu* AMenu, const char* AName) {
        AMenu->addSeparator()->setObjectName(QString::fromUtf8(AName));
    };

    File1 = MainMenu->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(acRefresh);
    separator(File1, "N4");
    File1->addAction(acPersistent);
    separator(File1, "N7");
    File1->addAction(acExit);

    mmInterface = MainMenu->addMenu(QStringLiteral("Monitor"));
    mmInterface->setObjectName(QStringLiteral("mmInterface"));

    View1 = MainMenu->addMenu(QStringLiteral("View"));
    View1->setObjectName(QStringLiteral("View1"));
    View1->addAction(acIntfView);
    View1->addAction(acOOI);
    separator(View1, "N1");
    View1->addAction(acOnTop);
    View1->addAction(acCaption);
    separator(View1, "N8");
    View1->addAction(acHistory);

    Help1 = MainMenu->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addAction(acAbout);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(acIntfView);
    PopupMenu1->addAction(acOOI);
    separator(PopupMenu1, "N3");
    PopupMenu1->addAction(acOnTop);
    PopupMenu1->addAction(acCaption);
    PopupMenu1->addAction(acHistory);
    separator(PopupMenu1, "N2");
    PopupMenu1->addAction(acRefresh);
    separator(PopupMenu1, "N6");
    PopupMenu1->addAction(acHide);
    PopupMenu1->addAction(acExit);
}

void Twnd_qn_Main::FormCreate()
{
    CenterTo(nullptr);

    const QIcon icon = ApplicationIcon();
    setWindowIcon(icon);
    TrayIcon->setIcon(icon);
    TrayIcon->setToolTip(QGuiApplication::applicationDisplayName());
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
    FTreeModel->OnChecked = [this](int ARow, bool AChecked) { Guarded([=, this] { TreeChecked(ARow, AChecked); }); };
    Tree->setModel(FTreeModel);
    QHeaderView* header = Tree->header();
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->resizeSection(TIntfListModel::ColInterface, 275);
    header->resizeSection(TIntfListModel::ColDownload, 100);
    header->resizeSection(TIntfListModel::ColUpload, 100);
    // Column 0 takes up any change of the list's width.
    header->setSectionResizeMode(TIntfListModel::ColInterface, QHeaderView::Stretch);
    header->setSectionResizeMode(TIntfListModel::ColDownload, QHeaderView::Interactive);
    header->setSectionResizeMode(TIntfListModel::ColUpload, QHeaderView::Interactive);
    auto* counters = new TCounterDelegate(Tree);
    Tree->setItemDelegateForColumn(TIntfListModel::ColDownload, counters);
    Tree->setItemDelegateForColumn(TIntfListModel::ColUpload, counters);
    Tree->OnDblClick = [this] { Guarded([this] { TreeDblClick(); }); };

    TLayoutManager& lm = *LayoutManager();
    lm.SetStorage(SettingsStorage());
    lm.Add(Tree, {"Visible", "Tag"}, {}, 0);
    lm.Add(TMW, {"AlwaysOnTop", "Tag"});
    lm.Add(acPersistent, {"Checked"});
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        lm.StoredValues().AddItem(FNCC->Adapters(i).Name, false);

    SetOnAfterRestore([this](TLayoutManager*) { Guarded([this] { LMFormAfterRestore(); }); });
    SetOnBeforeSave([this](TLayoutManager*) { PruneStoredChoices(true); });
}

void Twnd_qn_Main::LMFormAfterRestore()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
    acOnTop->setChecked(TMW->AlwaysOnTop());
    acCaption->setChecked(TMW->Tag() == 1);
    acIntfView->setChecked(Tree->Visible());
    acOOI->setChecked(Tree->Tag() == 1);
    // A size restored from the file with the caption off is already the caption-less window's:
    // taking the caption off again must not change it (else the height drifts from start to start).
    const QSize restored = size();
    const bool keepRestoredSize = TMW->Tag() == 0 && HasCaption() && restored != FSizeBeforeRestore;
    UpdateCaption(false);
    if (keepRestoredSize)
        resize(restored);
    RefreshData();
}

void Twnd_qn_Main::RefreshData()
{
    FNCC->RefreshData();
    if (History)
        History->SetInterfaces(*FNCC);
    RefreshWatchers();
    RefreshTree();
    RefreshMonitorMenu();
}

// --- Actions -------------------------------------------------------------------------------------

void Twnd_qn_Main::acExitExecute()
{
    close();
}

void Twnd_qn_Main::acAboutExecute()
{
    if (ShowAboutDialog)
        WithTopMostLifted([this] { ShowAboutDialog(this); });
}

void Twnd_qn_Main::acOnTopExecute()
{
    TMW->SetAlwaysOnTop(!TMW->AlwaysOnTop());
    acOnTop->setChecked(TMW->AlwaysOnTop());
}

void Twnd_qn_Main::acIntfViewExecute()
{
    const bool shown = !Tree->Visible();
    Tree->SetVisible(shown);
    acIntfView->setChecked(shown);
    // The watcher area keeps its size: the window grows or shrinks by the list.
    ProgramGeometryChange([this, shown] { resize(width(), height() + (shown ? Tree->height() : -Tree->height())); });
}

void Twnd_qn_Main::acCaptionExecute()
{
    TMW->SetTag(acCaption->isChecked() ? 1 : 0);
    UpdateCaption(true);
}

void Twnd_qn_Main::acHideExecute()
{
    // Decision: a window hidden with no docked icon could never be found again; minimise it to its
    // taskbar button instead.
    UpdateTrayState();
    if (FTrayDocked) {
        FInTray = true;
        hide();
    } else {
        showMinimized();
    }
}

void Twnd_qn_Main::acOOIExecute()
{
    Tree->SetTag(acOOI->isChecked() ? 1 : 0);
    RefreshData();
}

void Twnd_qn_Main::acRefreshExecute()
{
    RefreshData();
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

void Twnd_qn_Main::acHistoryExecute()
{
    if (ShowHistory)
        WithTopMostLifted([this] { ShowHistory(this); });
}

// --- Caption -------------------------------------------------------------------------------------

bool Twnd_qn_Main::HasCaption() const
{
    return !(windowFlags() & Qt::FramelessWindowHint);
}

int Twnd_qn_Main::FrameHeight() const
{
    return height() + (HasCaption() ? GetCaptionMetrics(this).CaptionHeight : 0);
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
        [this, AToggled] { qn::UpdateCaption(*FCaptionWindow, TMW->Tag() != 0, AToggled, GetCaptionMetrics(this)); });
}

// --- Tray, moving, timer, changes ----------------------------------------------------------------

void Twnd_qn_Main::TrayIconClick()
{
    FInTray = false;
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void Twnd_qn_Main::ScrollBoxMouseDown(Qt::MouseButton AButton)
{
    if (AButton != Qt::LeftButton)
        return;
    if (QWindow* w = windowHandle())
        w->startSystemMove();
}

bool Twnd_qn_Main::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() == QEvent::MouseButtonPress &&
        (AWatched == ScrollBox->viewport() || AWatched == ScrollBox->widget())) {
        ScrollBoxMouseDown(static_cast<QMouseEvent*>(AEvent)->button());
    }
    // Without a caption the panels may fill the window: their header bars move it too.
    if (AEvent->type() == QEvent::MouseButtonPress && !HasCaption() &&
        static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton &&
        std::any_of(FWatchers.begin(), FWatchers.end(),
                    [&](const Tfrm_qn_Watcher* AFrame) { return AWatched == AFrame->Header; })) {
        ScrollBoxMouseDown(Qt::LeftButton);
        return true;
    }
    return TLMForm::eventFilter(AWatched, AEvent);
}

void Twnd_qn_Main::mousePressEvent(QMouseEvent* AEvent)
{
    // Only the sizing border reaches the window itself: everything else is covered by its children.
    if (!HasCaption() && AEvent->button() == Qt::LeftButton && windowHandle()) {
        if (const Qt::Edges edges = SizingEdges(AEvent->position().toPoint(), size(), SizingBorder); edges) {
            windowHandle()->startSystemResize(edges);
            return;
        }
    }
    TLMForm::mousePressEvent(AEvent);
}

void Twnd_qn_Main::mouseMoveEvent(QMouseEvent* AEvent)
{
    setCursor(HasCaption() ? Qt::ArrowCursor
                           : SizingCursor(SizingEdges(AEvent->position().toPoint(), size(), SizingBorder)));
    TLMForm::mouseMoveEvent(AEvent);
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
    // Only moves that come from the window system (the user dragging, the window manager placing
    // the window) snap; the program's own moves are where it wants the window.
    if (AEvent->spontaneous() && isVisible())
        FSnapTimer->start();
}

void Twnd_qn_Main::SnapToWorkArea()
{
    if (!isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect frame = frameGeometry();
    const QPoint snapped = SnappedPosition(frame, DesktopMetrics().WorkAreaNearest(frame), SnapBuffer);
    if (snapped != frame.topLeft())
        move(snapped);
}

void Twnd_qn_Main::closeEvent(QCloseEvent* AEvent)
{
    TLMForm::closeEvent(AEvent);
    if (AEvent->isAccepted())
        emit Closed();
}

void Twnd_qn_Main::TimerTimer()
{
    UpdateTrayState();
    RefreshTraffic();
    if (History)
        History->Tick();
}

void Twnd_qn_Main::UpdateTrayState()
{
    const bool docked = TrayIcon->isVisible() && DesktopShell().TrayAvailable();
    if (docked != FTrayDocked) {
        FTrayDocked = docked;
        // With an icon in the tray the window has no taskbar button; without one it needs it.
        DesktopShell().SetSkipTaskbar(this, docked);
    }
    // The tray went away while the window was in it: nothing could bring it back from there.
    if (!FTrayDocked && FInTray) {
        FInTray = false;
        showMinimized();
    }
}

void Twnd_qn_Main::setVisible(bool AVisible)
{
    if (AVisible && !isVisible())
        FSizeBeforeRestore = size();
    TLMForm::setVisible(AVisible);
}

void Twnd_qn_Main::showEvent(QShowEvent* AEvent)
{
    FInTray = false;
    TLMForm::showEvent(AEvent);
    // A window manager drops a window's states when it is withdrawn (hidden to the tray).
    DesktopShell().SetSkipTaskbar(this, FTrayDocked);
}

void Twnd_qn_Main::NetworkChangeNotifierChange(TNetworkChangeNotifier*, std::uint32_t)
{
    Guarded([this] { RefreshData(); });
}

// --- Watched interfaces --------------------------------------------------------------------------

int Twnd_qn_Main::FindAdapterByIntfIdx(std::uint32_t AIntfIdx) const
{
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        if (FNCC->Adapters(i).IntfIdx == AIntfIdx)
            return i;
    return -1;
}

void Twnd_qn_Main::AddWatcher(TAdapter AData)
{
    Tfrm_qn_Watcher* found = nullptr;
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        if (SameName(frame->Adapter.Name, AData.Name)) {
            // The panel keeps its figures and chart; only the record and the picture change.
            frame->Adapter = AData;
            frame->AdapterPresent = true;
            frame->Header->SetImageIndex(AData._ImageIndex);
            found = frame;
            break;
        }
    }
    if (const int i = FindAdapterByIntfIdx(AData.IntfIdx); i >= 0)
        FNCC->SetMark(i, true);
    if (found)
        return;

    QWidget* panels = ScrollBox->widget();
    auto* frame = new Tfrm_qn_Watcher(panels, nullptr, WatcherClock);
    FWatchers.push_back(frame);
    frame->Initialize();
    frame->setFixedHeight(WatcherHeight);
    frame->setObjectName(UniqueWatcherName(AData.IntfIdx));
    // Stacked from the top in order of creation, above the stretch that keeps them there.
    auto* stack = static_cast<QVBoxLayout*>(panels->layout());
    stack->insertWidget(stack->count() - 1, frame);
    frame->Header->SetImages(&ilIntf16);
    frame->Header->SetImageIndex(AData._ImageIndex);
    frame->Adapter = AData;
    frame->Header->SetCaption(QString::fromStdString(AData.Name));
    frame->SetHeaderPopupMenu(PopupMenu1);
    frame->Header->installEventFilter(this);
    frame->Header->setToolTip(QString::fromStdString(AData.Alias));
    frame->SetChartPopupMenu(PopupMenu1);
    frame->OnProperties = [this](const TAdapter& AAdapter) {
        Guarded([this, &AAdapter] {
            if (ShowAdapterInfo)
                WithTopMostLifted([this, &AAdapter] { ShowAdapterInfo(this, AAdapter); });
        });
    };
    frame->Start();

    for (QAction* item : mmInterface->actions()) {
        if (item->data().toLongLong() == static_cast<qlonglong>(AData.IntfIdx)) {
            item->setChecked(true);
            break;
        }
    }
    FTreeModel->SetChecked(FTreeModel->FindRow(AData.IntfIdx), true);
}

void Twnd_qn_Main::RemoveWatcher(const TAdapter& AData)
{
    RemoveWatcher(AData.IntfIdx);
}

void Twnd_qn_Main::RemoveWatcher(std::uint32_t AIndex)
{
    // A panel belongs to an interface name. The interface at AIndex removes the panel of its own
    // name, wherever that panel's index has moved (re-created, renamed into the name); a panel of a
    // vanished interface keeps its old index, which another interface may carry now. An index that
    // no present interface carries can only mean such a panel.
    const int i = FindAdapterByIntfIdx(AIndex);
    const auto watched = std::find_if(FWatchers.begin(), FWatchers.end(), [&](const Tfrm_qn_Watcher* AFrame) {
        if (i >= 0)
            return SameName(AFrame->Adapter.Name, FNCC->Adapters(i).Name);
        return AFrame->Adapter.IntfIdx == AIndex && FNCC->FindAdapter(AFrame->Adapter.Name) < 0;
    });
    if (i >= 0)
        FNCC->SetMark(i, false);
    if (watched == FWatchers.end())
        return;
    Tfrm_qn_Watcher* frame = *watched;
    FWatchers.erase(watched);
    // Freed once control is back in the event loop: a dialog of the panel's own may still be on the
    // stack. Until then it neither ticks nor takes space.
    frame->Stop();
    frame->deleteLater();
    for (QAction* item : mmInterface->actions()) {
        if (item->data().toLongLong() == static_cast<qlonglong>(AIndex)) {
            item->setChecked(false);
            break;
        }
    }
    FTreeModel->SetChecked(FTreeModel->FindRow(AIndex), false);
}

QString Twnd_qn_Main::UniqueWatcherName(std::uint32_t AIntfIdx) const
{
    const QString base = QStringLiteral("Watcher_%1").arg(AIntfIdx);
    const auto taken = [this](const QString& AName) {
        return std::any_of(FWatchers.begin(), FWatchers.end(),
                           [&](const Tfrm_qn_Watcher* AFrame) { return AFrame->objectName() == AName; });
    };
    QString name = base;
    for (int n = 2; taken(name); ++n)
        name = base + QStringLiteral("_%1").arg(n);
    return name;
}

void Twnd_qn_Main::RefreshWatchers()
{
    TLayoutManager& lm = *LayoutManager();
    TLayoutManagerValues& values = lm.StoredValues();
    for (int v = 0; v < values.Count(); ++v) {
        const int i = FNCC->FindAdapter(values.Items(v).Name());
        if (i >= 0)
            FNCC->SetMark(i, values.Items(v).AsBoolean());
    }
    // The file's line may stand for several names that differ only by case; this session's
    // choices are kept per exact name.
    for (const auto& [name, watched] : FChoices)
        if (const int i = FNCC->FindAdapter(name); i >= 0)
            FNCC->SetMark(i, watched);
    PruneStoredChoices(false);
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter a = FNCC->Adapters(i);
        FNCC->SetImageIndex(i, GetAdapterImageIndex(a._Typ, a._Status));
        if (FNCC->Mark(i))
            AddWatcher(FNCC->Adapters(i));
        else
            RemoveWatcher(FNCC->Adapters(i));
    }
    RefreshWatcherImages();
}

void Twnd_qn_Main::RefreshWatcherImages()
{
    for (Tfrm_qn_Watcher* frame : FWatchers) {
        // A panel reads only while its name is at its index: after a rename in place or the reuse
        // of a vanished interface's index, that index belongs to another link.
        const int i = FNCC->FindAdapter(frame->Adapter.Name);
        const bool present = i >= 0 && FNCC->Adapters(i).IntfIdx == frame->Adapter.IntfIdx;
        frame->AdapterPresent = present;
        // The warning picture for an interface that is not there.
        frame->Header->SetImageIndex(present ? FNCC->ImageIndex(i) : 0);
    }
}

void Twnd_qn_Main::RefreshTree()
{
    const int focused = Tree->FocusedRow();
    const bool hadFocus = focused >= 0 && focused < FTreeModel->rowCount();
    const std::uint32_t focusedIdx = FTreeModel->IntfIdxAt(focused);
    FTreeModel->Rebuild(Tree->Tag() != 0);
    if (hadFocus)
        Tree->FocusRow(FTreeModel->FindRow(focusedIdx));
}

void Twnd_qn_Main::RefreshMonitorMenu()
{
    for (QAction* item : mmInterface->actions()) {
        mmInterface->removeAction(item);
        item->deleteLater();
    }
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter a = FNCC->Adapters(i);
        auto* item = new QAction(QString::fromStdString(a.Name), mmInterface);
        item->setData(static_cast<qlonglong>(a.IntfIdx));
        item->setCheckable(true);
        item->setChecked(a._Mark);
        connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { cmIntfClick(item); }); });
        mmInterface->addAction(item);
    }
}

void Twnd_qn_Main::cmIntfClick(QAction* AItem)
{
    const qlonglong tag = AItem->data().toLongLong();
    if (tag < 0)
        return;
    const int i = FindAdapterByIntfIdx(static_cast<std::uint32_t>(tag));
    if (i < 0)
        return;
    if (AItem->isChecked())
        AddWatcher(FNCC->Adapters(i));
    else
        RemoveWatcher(FNCC->Adapters(i));
    StoreWatchChoice(FNCC->Adapters(i).Name, FNCC->Mark(i));
}

void Twnd_qn_Main::TreeChecked(int ARow, bool AChecked)
{
    const int i = FTreeModel->AdapterIndexAt(ARow);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    FNCC->SetMark(i, AChecked);
    StoreWatchChoice(FNCC->Adapters(i).Name, AChecked);
    if (AChecked)
        AddWatcher(FNCC->Adapters(i));
    else
        RemoveWatcher(FNCC->Adapters(i));
}

void Twnd_qn_Main::TreeDblClick()
{
    const int row = Tree->FocusedRow();
    if (row < 0 || row >= FTreeModel->rowCount() || !ShowAdapterInfo)
        return;
    const int i = FTreeModel->AdapterIndexAt(row);
    if (i < 0 || i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i);
    WithTopMostLifted([this, &a] { ShowAdapterInfo(this, a); });
}

void Twnd_qn_Main::StoreWatchChoice(const std::string& AName, bool AWatched)
{
    FChoices[AName] = AWatched;
    // The settings file's keys ignore case, so names that differ only by case share one line; it
    // stays true while any of them is watched, so that unchecking one does not unwatch the other.
    bool value = AWatched;
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        if (FNCC->Mark(i) && SameText(FNCC->Adapters(i).Name, AName))
            value = true;
    TLayoutManager& lm = *LayoutManager();
    lm.SetStoredValue(AName, value);
    PruneStoredChoices(true);
    lm.StoredValues().Save();
}

void Twnd_qn_Main::PruneStoredChoices(bool AFile)
{
    // The settings line of an interface that is present, also under another case, stays.
    const auto present = [this](const std::string& AName) {
        for (int i = 0; i < FNCC->AdapterCount(); ++i)
            if (SameText(FNCC->Adapters(i).Name, AName))
                return true;
        return false;
    };
    TLayoutManagerValues& values = LayoutManager()->StoredValues();
    for (int v = values.Count() - 1; v >= 0; --v)
        if (!values.Items(v).AsBoolean() && !present(values.Items(v).Name()))
            values.Delete(v);
    const std::shared_ptr<ILayoutManagerStorage>& storage = values.Storage();
    if (!AFile || !storage)
        return;
    std::vector<std::string> lines;
    storage->ReadSection(values.Section(), lines);
    std::vector<std::string> stale;
    for (const std::string& line : lines) {
        // The values are numbers: the last "=" separates them from a key that may hold one.
        const std::size_t equals = line.rfind('=');
        const std::string name = line.substr(0, equals);
        const bool watched = IniTextToInteger32(line.substr(equals + 1)).value_or(0) != 0;
        if (!watched && !present(name) && values.IndexOf(name) < 0)
            stale.push_back(name);
    }
    storage->DeleteValues(values.Section(), stale);
    storage->Close();
}

void Twnd_qn_Main::RefreshTraffic()
{
    // Only rows whose counters moved are repainted: an idle interface costs no painting.
    for (int r = 0; r < FTreeModel->rowCount(); ++r) {
        std::uint64_t in = 0, out = 0;
        FNCC->GetTraffic(FTreeModel->IntfIdxAt(r), in, out);
        FTreeModel->SetCounters(r, in, out);
    }
}

// --- Helpers -------------------------------------------------------------------------------------

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
