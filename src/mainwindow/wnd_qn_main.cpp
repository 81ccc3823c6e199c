// The main window: components with their design values, start-up order, actions and the stored choices.
#include "mainwindow/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "historyview/dlg_qn_history.h"
#include "layout/design_font.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/counter_delegate.h"
#include "mainwindow/desktop_shell.h"
#include "mainwindow/dlg_qn_adapter_info.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/window_flags.h"
#include "mainwindow/window_metrics.h"
#include "netdata/network_change_notifier.h"
#include "platform/ascii_text.h"
#include "platform/interface_name.h"
#include "platform/interface_scan.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"
#include "watcher/read_out_panel.h"
#include "watcher/sleep_detector.h"
#include "watcher/watcher_clock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <unordered_set>

namespace qn {

namespace {

// Design values.
constexpr int DesignClientWidth = 475;
constexpr int DesignClientHeight = 429;
constexpr int TreeHeight = 115;
constexpr int TimerIntervalMs = 1000;
// The wait between a noticed change and its refresh, and the least time between such refreshes.
constexpr int RefreshDelayMs = 250;
// ScreenSnap: a moved window snaps once the move has rested this long (the window manager moves the
// window; only its result is seen here).
constexpr int SnapDelayMs = 150;

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
    ShowHistory = [this](QWidget* AParent) { qn::ShowHistoryDialog(AParent, HistoryFile, FQuota, LiveQuota()); };
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
    Tree->setAccessibleName(QStringLiteral("Interfaces"));
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
    // A first start watches nothing: the empty area says how to begin.
    lStartHint = new QLabel(QStringLiteral("No interface is watched yet.\nTick one in View > Interface View (Ctrl+I), "
                                           "or pick one in the Monitor menu."),
                            panels);
    lStartHint->setObjectName(QStringLiteral("lStartHint"));
    lStartHint->setAlignment(Qt::AlignCenter);
    lStartHint->setWordWrap(true);
    lStartHint->setContentsMargins(12, 24, 12, 12);
    lStartHint->setForegroundRole(QPalette::PlaceholderText);
    panelLayout->addWidget(lStartHint);
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

    TrayIcon = new TTrafficTrayIcon(this);
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

    RefreshTimer = new QTimer(this);
    RefreshTimer->setObjectName(QStringLiteral("RefreshTimer"));
    RefreshTimer->setSingleShot(true);
    RefreshTimer->setInterval(RefreshDelayMs);
    connect(RefreshTimer, &QTimer::timeout, this, [this] { Guarded([this] { RefreshTimerTimer(); }); });

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
        {&acQuota, "acQuota", "View", "Data Cap...", {}, false, false, &Twnd_qn_Main::acQuotaExecute},
        {&acTrayTraffic,
         "acTrayTraffic",
         "View",
         "Traffic in Tray Icon",
         {},
         true,
         false,
         &Twnd_qn_Main::acTrayTrafficExecute},
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
    View1->addAction(acTrayTraffic);
    separator(View1, "N8");
    View1->addAction(acHistory);
    View1->addAction(acQuota);

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
    PopupMenu1->addAction(acTrayTraffic);
    PopupMenu1->addAction(acHistory);
    PopupMenu1->addAction(acQuota);
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
    lm.Add(TrayIcon, {"ShowTraffic"});
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        lm.StoredValues().AddItem(FNCC->Adapters(i).Name, false);

    CreateQuota();

    SetOnAfterRestore([this](TLayoutManager*) { Guarded([this] { LMFormAfterRestore(); }); });
    SetOnBeforeSave([this](TLayoutManager*) { PruneStoredChoices(true); });
    SetUpSleepWatch();
}

void Twnd_qn_Main::LMFormAfterRestore()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
    acOnTop->setChecked(TMW->AlwaysOnTop());
    acCaption->setChecked(TMW->Tag() == 1);
    acIntfView->setChecked(Tree->Visible());
    acOOI->setChecked(Tree->Tag() == 1);
    acTrayTraffic->setChecked(TrayIcon->ShowTraffic());
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

// --- Timer, closing, changes ---------------------------------------------------------------------

void Twnd_qn_Main::closeEvent(QCloseEvent* AEvent)
{
    TLMForm::closeEvent(AEvent);
    if (AEvent->isAccepted())
        emit Closed();
}

void Twnd_qn_Main::TimerTimer()
{
    CheckForSleep();
    UpdateTrayState();
    RefreshTraffic();
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

// --- Stored watch choices ------------------------------------------------------------------------

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
    // The pruning and the values' save read the file once and replace it once.
    TStorageUpdate update(lm.StoredValues().Storage().get());
    PruneStoredChoices(true);
    lm.StoredValues().Save();
    update.Commit();
}

void Twnd_qn_Main::PruneStoredChoices(bool AFile)
{
    // The settings line of an interface that is present, also under another case, stays. The
    // settings keys ignore ASCII case (SameText): one set of folded names answers for all.
    const auto fold = [](std::string AText) {
        for (char& c : AText)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return AText;
    };
    std::unordered_set<std::string> names;
    names.reserve(static_cast<std::size_t>(FNCC->AdapterCount()));
    for (int i = 0; i < FNCC->AdapterCount(); ++i)
        names.insert(fold(FNCC->Adapters(i).Name));
    const auto present = [&](const std::string& AName) { return names.count(fold(AName)) != 0; };
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
