// The main window over the real kernel in a private network namespace: address and link changes
// reach RefreshData on the GUI thread through the change notifier.
#include "layout/layout_manager.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "netdata/network_change_notifier.h"
#include "netdata/traffic_counter_pass.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/gradient_bar.h"

#include "support/network_namespace.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <linux/if_ether.h>
#include <net/if.h>
#include <unistd.h>

namespace qn {
namespace {

// Runs the event loop until ACondition holds or ATimeoutMs pass; returns the condition.
bool ProcessEventsUntil(const std::function<bool()>& ACondition, int ATimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!ACondition() && timer.elapsed() < ATimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return ACondition();
}

void ProcessEventsFor(int AMs)
{
    ProcessEventsUntil([] { return false; }, AMs);
}

// Runs AAtHandOff once, when the first queued call to the application object (the notifier's
// hand-off) is about to run; the call itself runs afterwards.
class THandOffWatch : public QObject
{
public:
    explicit THandOffWatch(std::function<void()> AAtHandOff) : FAtHandOff(std::move(AAtHandOff))
    {
        qApp->installEventFilter(this);
    }
    ~THandOffWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* AWatched, QEvent* AEvent) override
    {
        if (!Seen && AWatched == qApp && AEvent->type() == QEvent::MetaCall) {
            Seen = true;
            FAtHandOff();
        }
        return false;
    }

    bool Seen = false;

private:
    std::function<void()> FAtHandOff;
};

class KernelMainWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string reason = test::EnterNetworkNamespace(); !reason.empty())
            GTEST_SKIP() << reason;
        if (!test::AddVethPair("qn0", "qn1", false))
            GTEST_SKIP() << "cannot create a veth pair";
        ASSERT_TRUE(FDir.isValid());
        SettingsStorage()->SetFileName(FDir.filePath(QStringLiteral("quarno.ini")).toStdString());
        TLMForm::SetMainForm(nullptr);
        FWindow = std::make_unique<Twnd_qn_Main>();
        FWindow->show();
        // Count the changes that reach the window, and where they run.
        TNetworkChangeNotifier* ncn = FWindow->NCN();
        ASSERT_NE(nullptr, ncn);
        auto original = ncn->OnChange;
        ncn->OnChange = [this, original](TNetworkChangeNotifier* ASender, std::uint32_t ARes) {
            ++FChanges;
            FOnGuiThread = FOnGuiThread && QThread::currentThread() == qApp->thread();
            original(ASender, ARes);
        };
        Settle();
    }

    // Runs events until no change has come for 300 ms: the links set up for the test report their
    // carrier a little later, as changes of their own.
    void Settle()
    {
        int seen = -1;
        while (seen != FChanges) {
            seen = FChanges;
            ProcessEventsFor(300);
        }
        FChanges = 0;
    }

    void TearDown() override
    {
        FWindow.reset();
        TLMForm::SetMainForm(nullptr);
    }

    bool InMonitorMenu(const QString& AName) const
    {
        for (QAction* a : FWindow->mmInterface->actions())
            if (a->text() == AName)
                return true;
        return false;
    }

    static void Ip(const std::string& AArgs) { test::Build("ip " + AArgs); }
    // A panel tick as a second after the last one gives it: it reads a new counter pass.
    static void Tick(Tfrm_qn_Watcher* APanel)
    {
        HostCounterPass().Invalidate();
        APanel->TimerTimer();
    }

    QAction* MonitorItem(const QString& AName) const
    {
        for (QAction* a : FWindow->mmInterface->actions())
            if (a->text() == AName)
                return a;
        return nullptr;
    }

    // Checks or unchecks an interface in the "Monitor" menu as the user does.
    void Choose(const QString& AName)
    {
        QAction* item = MonitorItem(AName);
        ASSERT_NE(nullptr, item) << AName.toStdString();
        item->trigger();
    }

    Tfrm_qn_Watcher* Panel(const std::string& AName) const
    {
        for (Tfrm_qn_Watcher* frame : FWindow->Watchers())
            if (frame->Adapter.Name == AName)
                return frame;
        return nullptr;
    }

    // Waits for the change notifier's refresh to show (or drop) an interface.
    void WaitForMenu(const QString& AName, bool AShown)
    {
        QStringList items;
        const bool ok = ProcessEventsUntil([&] { return InMonitorMenu(AName) == AShown; }, 5000);
        for (QAction* a : FWindow->mmInterface->actions())
            items << a->text();
        EXPECT_TRUE(ok) << AName.toStdString() << " in " << items.join(QLatin1Char(' ')).toStdString();
        Settle();
    }

    // Broadcast frames into a link through its veth peer: the link's received bytes grow.
    static void Traffic(const char* APeer, int AFrames = 500)
    {
        const std::uint8_t broadcast[6] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
        ASSERT_GT(test::SendFrames(APeer, broadcast, AFrames, 1000 - ETH_HLEN), 0u);
    }

    QTemporaryDir FDir;
    std::unique_ptr<Twnd_qn_Main> FWindow;
    int FChanges = 0;
    bool FOnGuiThread = true;
};

TEST_F(KernelMainWindow, ANewInterfaceAndAnAddressRefreshTheWindowOnTheGuiThread)
{
    EXPECT_TRUE(InMonitorMenu(QStringLiteral("qn0")));
    EXPECT_FALSE(InMonitorMenu(QStringLiteral("qn2")));
    Ip("link add qn2 type veth peer name qn3");
    ASSERT_TRUE(ProcessEventsUntil([&] { return InMonitorMenu(QStringLiteral("qn2")); }, 5000));
    EXPECT_GE(FChanges, 1);

    Settle();
    Ip("addr add 10.70.0.1/24 dev lo");
    ASSERT_TRUE(ProcessEventsUntil([&] { return FChanges >= 1; }, 5000));
    EXPECT_TRUE(FOnGuiThread);
}

TEST_F(KernelMainWindow, ABurstOfChangesWhileTheGuiIsBusyGivesFewRefreshes)
{
    // The GUI thread runs no events while 100 addresses are added.
    for (int i = 0; i < 100; ++i)
        Ip("addr add 10.71." + std::to_string(i) + ".1/24 dev lo");
    ProcessEventsFor(1500);
    EXPECT_GE(FChanges, 1);
    EXPECT_LE(FChanges, 3);
    EXPECT_TRUE(FOnGuiThread);
}

TEST_F(KernelMainWindow, DestroyingTheWindowWithAChangePendingReturnsAndDeliversNothing)
{
    // The window goes away at the moment the change's call reaches the event loop: the worker waits
    // for that call, which runs only after the window is gone.
    THandOffWatch watch([this] { FWindow.reset(); });
    Ip("addr add 10.72.0.1/24 dev lo");
    const bool handedOff = ProcessEventsUntil([&] { return watch.Seen; }, 5000);
    ASSERT_TRUE(handedOff) << "the change never reached the event loop, so nothing was tested";
    EXPECT_EQ(nullptr, FWindow);
    ProcessEventsFor(100);
    EXPECT_EQ(0, FChanges);
}

TEST_F(KernelMainWindow, APanelNeverCountsAnotherLinksBytesAfterIndexReuseOrARename)
{
    Ip("link set qn0 up");
    Ip("link set qn1 up");
    Settle();
    Choose(QStringLiteral("qn0"));
    Tfrm_qn_Watcher* panel = Panel("qn0");
    ASSERT_NE(nullptr, panel);
    panel->Timer->stop(); // the test ticks by itself
    const std::uint32_t index = panel->Adapter.IntfIdx;
    Tick(panel);
    Traffic("qn1");
    Tick(panel);
    const std::uint64_t total = panel->Statistics().TDL;
    EXPECT_GT(total, 400000u);

    // qn0 goes; a new link takes its index. The panel stays, shows the warning and reads nothing.
    Ip("link del qn0");
    WaitForMenu(QStringLiteral("qn0"), false);
    Ip("link add qv7 index " + std::to_string(index) + " type veth peer name qv8");
    Ip("link set qv7 up");
    Ip("link set qv8 up");
    WaitForMenu(QStringLiteral("qv7"), true);
    ASSERT_EQ(panel, Panel("qn0"));
    EXPECT_FALSE(panel->AdapterPresent);
    EXPECT_EQ(0, panel->Header->ImageIndex());
    Tick(panel);
    Traffic("qv8");
    Tick(panel);
    EXPECT_EQ(total, panel->Statistics().TDL);
    EXPECT_EQ(0.0, panel->Statistics().RateDL());

    // Watching and unwatching the link at that index frees its own panel, never the other one.
    Choose(QStringLiteral("qv7"));
    ASSERT_EQ(2u, FWindow->Watchers().size());
    Choose(QStringLiteral("qv7"));
    ASSERT_EQ(1u, FWindow->Watchers().size());
    EXPECT_EQ(panel, Panel("qn0"));

    // A rename in place: the new name is another interface for the panel.
    Ip("link set qv7 down");
    Ip("link set qv7 name qn0");
    Ip("link set qn0 up");
    WaitForMenu(QStringLiteral("qv7"), false);
    EXPECT_TRUE(panel->AdapterPresent) << "qn0 is back, at the panel's index";
    Ip("link set qn0 down");
    Ip("link set qn0 name lan0");
    WaitForMenu(QStringLiteral("lan0"), true);
    EXPECT_FALSE(panel->AdapterPresent);
    EXPECT_FALSE(MonitorItem(QStringLiteral("lan0"))->isChecked());
    // lan0 receives at the panel's old index; the panel counts none of it.
    Ip("link set lan0 up");
    Tick(panel);
    Traffic("qv8");
    Tick(panel);
    EXPECT_EQ(total, panel->Statistics().TDL);
}

TEST_F(KernelMainWindow, TwoWatchedLinksThatSwapNamesStartNewBaselinesWithoutASpike)
{
    Ip("link add qs0 type veth peer name qs0p");
    Ip("link add qs1 type veth peer name qs1p");
    for (const char* link : {"qs0", "qs0p", "qs1", "qs1p"})
        Ip(std::string("link set ") + link + " up");
    Settle();
    Choose(QStringLiteral("qs0"));
    Choose(QStringLiteral("qs1"));
    Tfrm_qn_Watcher* panel = Panel("qs0");
    ASSERT_NE(nullptr, panel);
    ASSERT_NE(nullptr, Panel("qs1"));
    for (Tfrm_qn_Watcher* frame : FWindow->Watchers())
        frame->Timer->stop();
    Traffic("qs1p", 3000); // qs1 now has far more bytes than qs0
    Tick(panel);
    Tick(panel);
    const std::uint64_t total = panel->Statistics().TDL;

    Ip("link set qs0 down");
    Ip("link set qs1 down");
    ASSERT_EQ(0, std::system("printf 'link set qs0 name qstmp\\nlink set qs1 name qs0\\nlink set qstmp name qs1\\n' | "
                             "ip -batch -"));
    Ip("link set qs0 up");
    Ip("link set qs1 up");
    ASSERT_TRUE(ProcessEventsUntil([&] { return panel->Adapter.IntfIdx == if_nametoindex("qs0"); }, 5000));
    Settle();
    EXPECT_TRUE(panel->AdapterPresent);
    Tick(panel);
    EXPECT_EQ(total, panel->Statistics().TDL) << "no spike from the other link's counters";
    Traffic("qs1p", 100); // qs1p is now the peer of the link called qs0
    Tick(panel);
    EXPECT_GE(panel->Statistics().TDL - total, 100u * 1000u);
}

TEST_F(KernelMainWindow, LinksThatDifferOnlyByCaseHaveTheirOwnPanels)
{
    Ip("link add qc type veth peer name QC");
    Settle();
    Choose(QStringLiteral("qc"));
    Tfrm_qn_Watcher* lower = Panel("qc");
    ASSERT_NE(nullptr, lower);
    lower->Timer->stop();
    lower->Statistics().TDL = 12345; // a total that must survive
    Choose(QStringLiteral("QC"));
    ASSERT_EQ(2u, FWindow->Watchers().size());
    EXPECT_EQ(lower, Panel("qc"));
    EXPECT_NE(nullptr, Panel("QC"));
    EXPECT_EQ(12345u, lower->Statistics().TDL);
    FWindow->acRefresh->trigger();
    EXPECT_EQ(2u, FWindow->Watchers().size());
    EXPECT_TRUE(MonitorItem(QStringLiteral("qc"))->isChecked());
    EXPECT_TRUE(MonitorItem(QStringLiteral("QC"))->isChecked());
    // Unchecking one leaves the other watched, now and after a refresh.
    Choose(QStringLiteral("QC"));
    FWindow->acRefresh->trigger();
    ASSERT_EQ(1u, FWindow->Watchers().size());
    EXPECT_EQ(lower, Panel("qc"));
    EXPECT_EQ(12345u, lower->Statistics().TDL);
}

TEST_F(KernelMainWindow, ABurstOfTwoHundredLinkChangesEndsWithTheKernelsListAndKeepsAWatchedPanel)
{
    Ip("link set qn0 up");
    Ip("link set qn1 up");
    Settle();
    if (FWindow->Tree->Tag() != 0)
        FWindow->acOOI->trigger(); // every interface listed: the new links are down
    Choose(QStringLiteral("qn0"));
    Tfrm_qn_Watcher* panel = Panel("qn0");
    ASSERT_NE(nullptr, panel);
    panel->Timer->stop(); // the test ticks by itself
    Tick(panel);
    Traffic("qn1");
    Tick(panel);
    const std::uint64_t total = panel->Statistics().TDL;
    ASSERT_GT(total, 400000u);
    const int points = panel->sp_XYLine1->Count();

    // 150 links made (75 veth pairs) and 50 of them dropped again, while the window runs its
    // events between.
    for (int i = 0; i < 100; ++i) {
        if (i % 4 == 3)
            Ip("link del qb" + std::to_string(i - 1) + "a");
        else
            Ip("link add qb" + std::to_string(i) + "a type veth peer name qb" + std::to_string(i) + "b");
        if (i % 5 == 0)
            ProcessEventsFor(20);
    }
    Settle();

    // The kernel's list, by name, in index order.
    std::vector<std::string> kernel;
    if (struct if_nameindex* names = if_nameindex()) {
        std::vector<std::pair<unsigned, std::string>> byIndex;
        for (struct if_nameindex* n = names; n->if_index != 0; ++n)
            byIndex.emplace_back(n->if_index, n->if_name);
        if_freenameindex(names);
        std::sort(byIndex.begin(), byIndex.end());
        for (const auto& [index, name] : byIndex)
            kernel.push_back(name);
    }
    ASSERT_EQ(103u, kernel.size()); // lo, qn0, qn1 and 50 veth pairs
    std::vector<std::string> snapshot, listed, menu;
    TNetworkConfiguration& ncc = FWindow->NCC();
    for (int i = 0; i < ncc.AdapterCount(); ++i)
        snapshot.push_back(ncc.Adapters(static_cast<std::uint16_t>(i)).Name);
    TIntfListModel* model = FWindow->TreeModel();
    for (int r = 0; r < model->rowCount(); ++r)
        listed.push_back(model->index(r, 0).data().toString().toStdString());
    for (QAction* a : FWindow->mmInterface->actions())
        menu.push_back(a->text().toStdString());
    EXPECT_EQ(kernel, snapshot);
    EXPECT_EQ(kernel, listed);
    EXPECT_EQ(kernel, menu);

    // The watched link kept its panel, figures and chart, and goes on counting.
    ASSERT_EQ(panel, Panel("qn0"));
    EXPECT_TRUE(panel->AdapterPresent);
    EXPECT_TRUE(MonitorItem(QStringLiteral("qn0"))->isChecked());
    EXPECT_EQ(Qt::Checked, model->index(model->FindRow(panel->Adapter.IntfIdx), 0).data(Qt::CheckStateRole).toInt());
    EXPECT_EQ(total, panel->Statistics().TDL);
    EXPECT_EQ(points, panel->sp_XYLine1->Count());
    Traffic("qn1");
    Tick(panel);
    EXPECT_GT(panel->Statistics().TDL, total + 400000u);
}

} // namespace
} // namespace qn
