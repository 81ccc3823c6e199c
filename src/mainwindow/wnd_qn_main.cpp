// The main window: components with their design values, start-up order, actions, list and tray.
#include "mainwindow/wnd_qn_main.h"

#include "about/dlg_about.h"
#include "historyview/dlg_qn_history.h"
#include "layout/design_font.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/adapter_image.h"
#include "mainwindow/counter_delegate.h"
#include "mainwindow/dlg_qn_adapter_info.h"
#include "mainwindow/history_recording.h"
#include "mainwindow/intf_list_model.h"
#include "mainwindow/intf_tree.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/top_most_window.h"
#include "mainwindow/window_flags.h"
#include "mainwindow/window_metrics.h"
#include "netdata/network_change_notifier.h"
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
// Interfaces whose status is below this are not operational.
constexpr std::uint32_t OperationalStatus = 4;

// Interface names match without regard to the case of the letters A to Z only.
bool SameName(const std::string& A, const std::string& B)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(), [&](char x, char y) { return lower(x) == lower(y); });
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
    // The window is represented by its tray icon; without a tray it keeps its taskbar button.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        setWindowFlag(Qt::Tool, true);

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
    if (QSystemTrayIcon::isSystemTrayAvailable())
        TrayIcon->show();

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
}

void Twnd_qn_Main::LMFormAfterRestore()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
    acOnTop->setChecked(TMW->AlwaysOnTop());
    acCaption->setChecked(TMW->Tag() == 1);
    acIntfView->setChecked(Tree->Visible());
    acOOI->setChecked(Tree->Tag() == 1);
    UpdateCaption(false);
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
    resize(width(), height() + (shown ? Tree->height() : -Tree->height()));
}

void Twnd_qn_Main::acCaptionExecute()
{
    TMW->SetTag(acCaption->isChecked() ? 1 : 0);
    UpdateCaption(true);
}

void Twnd_qn_Main::acHideExecute()
{
    // Decision: without a tray the window would vanish for good; minimise to the taskbar instead.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
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
    SetLayoutReadOnly(!acPersistent->isChecked());
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
    qn::UpdateCaption(*FCaptionWindow, TMW->Tag() != 0, AToggled, GetCaptionMetrics(this));
}

// --- Tray, moving, timer, changes ----------------------------------------------------------------

void Twnd_qn_Main::TrayIconClick()
{
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
    return TLMForm::eventFilter(AWatched, AEvent);
}

void Twnd_qn_Main::closeEvent(QCloseEvent* AEvent)
{
    TLMForm::closeEvent(AEvent);
    if (AEvent->isAccepted())
        emit Closed();
}

void Twnd_qn_Main::TimerTimer()
{
    RefreshTraffic();
    if (History)
        History->Tick();
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
    frame->Header->setToolTip(QString::fromStdString(AData.Alias));
    frame->SetChartPopupMenu(PopupMenu1);
    // Each direction has one colour in its label, its line and its session total.
    Tsp_LineAttr line = frame->sp_XYLine1->LineAttr();
    line.Color = Tsp_RgbOf(frame->DLLabel->Color());
    frame->sp_XYLine1->SetLineAttr(line);
    frame->lTDL->SetColor(frame->DLLabel->Color());
    line = frame->sp_XYLine2->LineAttr();
    line.Color = Tsp_RgbOf(frame->ULLabel->Color());
    frame->sp_XYLine2->SetLineAttr(line);
    frame->lTUL->SetColor(frame->ULLabel->Color());
    frame->OnProperties = [this](const TAdapter& AAdapter) {
        Guarded([this, &AAdapter] {
            if (ShowAdapterInfo)
                WithTopMostLifted([this, &AAdapter] { ShowAdapterInfo(this, AAdapter); });
        });
    };
    frame->Timer->start();
    frame->show();

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
    // A panel whose interface vanished keeps its old index, which a new interface may now carry:
    // a present interface removes only the panel of its own name.
    const int i = FindAdapterByIntfIdx(AIndex);
    const auto watched = std::find_if(FWatchers.begin(), FWatchers.end(), [&](const Tfrm_qn_Watcher* AFrame) {
        return AFrame->Adapter.IntfIdx == AIndex && (i < 0 || SameName(AFrame->Adapter.Name, FNCC->Adapters(i).Name));
    });
    if (i >= 0)
        FNCC->SetMark(i, false);
    if (watched == FWatchers.end())
        return;
    Tfrm_qn_Watcher* frame = *watched;
    FWatchers.erase(watched);
    // Freed once control is back in the event loop: a dialog of the panel's own may still be on the
    // stack. Until then it neither ticks nor takes space.
    frame->Timer->stop();
    frame->hide();
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
        int image = 0; // the warning picture for an interface that vanished
        for (int i = 0; i < FNCC->AdapterCount(); ++i) {
            if (SameName(FNCC->Adapters(i).Name, frame->Adapter.Name)) {
                image = FNCC->ImageIndex(i);
                break;
            }
        }
        frame->Header->SetImageIndex(image);
    }
}

void Twnd_qn_Main::RefreshTree()
{
    const int focused = Tree->FocusedRow();
    const bool hadFocus = focused >= 0 && focused < FTreeModel->rowCount();
    const std::uint32_t focusedIdx = hadFocus ? FTreeModel->Rows()[static_cast<std::size_t>(focused)].IntfIdx : 0;

    std::vector<TIntfNodeData> rows;
    for (int i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter a = FNCC->Adapters(i);
        if (Tree->Tag() != 0 && a._Status < OperationalStatus)
            continue;
        TIntfNodeData row;
        row.IntfIdx = a.IntfIdx;
        row.Index = static_cast<std::uint16_t>(i);
        row.Checked = a._Mark;
        rows.push_back(row);
    }
    FTreeModel->Rebuild(std::move(rows));
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
    const int i = FTreeModel->Rows()[static_cast<std::size_t>(ARow)].Index;
    if (i >= FNCC->AdapterCount())
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
    const int i = FTreeModel->Rows()[static_cast<std::size_t>(row)].Index;
    if (i >= FNCC->AdapterCount())
        return;
    const TAdapter a = FNCC->Adapters(i);
    WithTopMostLifted([this, &a] { ShowAdapterInfo(this, a); });
}

void Twnd_qn_Main::StoreWatchChoice(const std::string& AName, bool AWatched)
{
    TLayoutManager& lm = *LayoutManager();
    lm.SetStoredValue(AName, AWatched);
    lm.StoredValues().Save();
}

void Twnd_qn_Main::RefreshTraffic()
{
    // Only rows whose counters moved are repainted: an idle interface costs no painting.
    for (int r = 0; r < FTreeModel->rowCount(); ++r) {
        TIntfNodeData& row = FTreeModel->Row(r);
        const std::uint64_t in = row.InOctets;
        const std::uint64_t out = row.OutOctets;
        FNCC->GetTraffic(row.IntfIdx, row.InOctets, row.OutOctets);
        if (row.InOctets != in || row.OutOctets != out)
            FTreeModel->CountersChanged(r);
    }
}

// --- Helpers -------------------------------------------------------------------------------------

void Twnd_qn_Main::Guarded(const std::function<void()>& AHandler)
{
    try {
        AHandler();
    } catch (const std::exception& e) {
        const QString message = QString::fromStdString(e.what());
        if (ShowError)
            ShowError(message);
        else
            QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), message);
    }
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
