// The main window over the real kernel in a private network namespace: address and link changes
// reach RefreshData on the GUI thread through the change notifier.
#include "layout/layout_manager.h"
#include "layout/layout_manager_ini_storage.h"
#include "mainwindow/settings_storage.h"
#include "mainwindow/wnd_qn_main.h"
#include "netdata/network_change_notifier.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <sched.h>
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
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root for a private network namespace";
        if (unshare(CLONE_NEWNET) != 0)
            GTEST_SKIP() << "cannot create a network namespace here";
        if (std::system("ip link set lo up && ip link add qn0 type veth peer name qn1") != 0)
            GTEST_SKIP() << "cannot create a veth pair (iproute2 missing?)";
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

    static void Ip(const std::string& AArgs) { ASSERT_EQ(0, std::system(("ip " + AArgs).c_str())) << AArgs; }

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

} // namespace
} // namespace qn
