// The machine's sleep told over a private system bus (a real dbus-daemon) by a small logind of the
// test's own, served in this process on a connection of its own: the sleep lock, and one wake
// handled once whether the clocks or logind tell it first.
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/session/sleep_watch.h"
#include "support/fake_clock.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qn {
namespace {

// One private bus for the whole run, set as the system bus before anything connects to it.
class TPrivateSystemBus : public testing::Environment
{
public:
    static inline QString Address;

    void SetUp() override
    {
        FDaemon.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                       QStringLiteral("--nopidfile")});
        if (!FDaemon.waitForStarted(5000) || !FDaemon.waitForReadyRead(5000))
            return;
        Address = QString::fromUtf8(FDaemon.readLine()).trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", Address.toUtf8());
    }

    void TearDown() override
    {
        FDaemon.kill();
        FDaemon.waitForFinished(5000);
    }

private:
    QProcess FDaemon;
};

[[maybe_unused]] testing::Environment* const TheBus = testing::AddGlobalTestEnvironment(new TPrivateSystemBus);

// logind's part: the Inhibit call answered with one end of a pipe (the lock is held while any copy
// of it is open, as logind sees it), and PrepareForSleep sent. Without AServe it only sends: a bus
// without logind.
class TFakeLogin : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit TFakeLogin(bool AServe)
        : FBus(QDBusConnection::connectToBus(TPrivateSystemBus::Address, QStringLiteral("fake-login1")))
    {
        if (AServe)
            FServing =
                FBus.registerObject(QStringLiteral("/org/freedesktop/login1"), this, QDBusConnection::ExportAllSlots) &&
                FBus.registerService(QStringLiteral("org.freedesktop.login1"));
    }

    ~TFakeLogin() override
    {
        for (int fd : FLocks)
            close(fd);
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-login1"));
    }

    bool Serving() const { return FServing; }
    int Calls() const { return static_cast<int>(FLocks.size()); }
    QStringList LastCall;

    // The locks whose every copy is still open.
    int Held() const
    {
        int held = 0;
        for (int fd : FLocks) {
            pollfd p{fd, POLLIN, 0};
            held += poll(&p, 1, 0) == 0 ? 1 : 0;
        }
        return held;
    }

    void PrepareForSleep(bool AStart)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                         QStringLiteral("org.freedesktop.login1.Manager"),
                                                         QStringLiteral("PrepareForSleep"));
        signal << AStart;
        FBus.send(signal);
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& AWhat, const QString& AWho, const QString& AWhy,
                                    const QString& AMode)
    {
        LastCall = {AWhat, AWho, AWhy, AMode};
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return {};
        FLocks.push_back(ends[0]);
        QDBusUnixFileDescriptor lock(ends[1]); // a copy of its own
        close(ends[1]);
        return lock;
    }

private:
    QDBusConnection FBus;
    bool FServing = false;
    std::vector<int> FLocks;
};

// Another listener of the signal on the program's own connection: when it has heard one, so has
// the program.
class TSignalSeen : public QObject
{
    Q_OBJECT

public:
    TSignalSeen()
    {
        QDBusConnection::systemBus().connect(QString(), QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.login1.Manager"),
                                             QStringLiteral("PrepareForSleep"), this, SLOT(Seen(bool)));
    }
    int Count = 0;

    // Sends through ALogin and waits until the program's connection has delivered it. The
    // connection's thread posts the signal to each listener in turn, so this listener may hear it
    // before the program's delivery is even posted: a call answered on the same connection comes
    // after the signal, and once its answer is in, every delivery is posted and can be run.
    bool Send(TFakeLogin& ALogin, bool AStart)
    {
        const int before = Count;
        ALogin.PrepareForSleep(AStart);
        const bool seen = QTest::qWaitFor([&] { return Count > before; }, 5000);
        const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
        QCoreApplication::processEvents();
        return seen && reply.type() == QDBusMessage::ReplyMessage;
    }

public slots:
    void Seen(bool) { ++Count; }
};

TEST(SleepLock, IsHeldWhileRunningReleasedOnceTheSleepIsWrittenAndTakenAgainAfterTheWake)
{
    ASSERT_FALSE(TPrivateSystemBus::Address.isEmpty()) << "no private bus: dbus-daemon is needed (make deps)";
    TFakeLogin login(true);
    ASSERT_TRUE(login.Serving());
    QObject owner;
    TSleepWatch watch(&owner);
    int sleeps = 0;
    int resumes = 0;
    int heldWhileWriting = -1;
    watch.OnSleep = [&] {
        ++sleeps;
        heldWhileWriting = login.Held();
    };
    watch.OnResume = [&] {
        ++resumes;
        watch.Woken();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return login.Held() == 1; }, 5000));
    EXPECT_EQ((QStringList{"sleep", "Quarno", "Writing the traffic history before the machine sleeps", "delay"}),
              login.LastCall);

    TSignalSeen seen;
    ASSERT_TRUE(seen.Send(login, true));
    EXPECT_EQ(1, sleeps);
    EXPECT_EQ(1, heldWhileWriting) << "logind waits for the write";
    EXPECT_EQ(0, login.Held()) << "and the machine sleeps once it is done";

    ASSERT_TRUE(seen.Send(login, false));
    EXPECT_EQ(1, resumes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return login.Held() == 1; }, 5000));
    EXPECT_EQ(2, login.Calls());

    // A second night: the same again.
    ASSERT_TRUE(seen.Send(login, true));
    EXPECT_EQ(2, sleeps);
    EXPECT_EQ(1, heldWhileWriting);
    EXPECT_EQ(0, login.Held());
}

TEST(SleepLock, WithoutLogindTheSleepAndWakeAreToldAsBeforeAndNothingIsHeld)
{
    ASSERT_FALSE(TPrivateSystemBus::Address.isEmpty()) << "no private bus: dbus-daemon is needed (make deps)";
    TFakeLogin sender(false);
    QObject owner;
    TSleepWatch watch(&owner);
    int sleeps = 0;
    int resumes = 0;
    watch.OnSleep = [&] { ++sleeps; };
    watch.OnResume = [&] {
        ++resumes;
        watch.Woken();
    };
    TSignalSeen seen;
    ASSERT_TRUE(seen.Send(sender, true));
    ASSERT_TRUE(seen.Send(sender, false));
    EXPECT_EQ(1, sleeps);
    EXPECT_EQ(1, resumes);
    EXPECT_EQ(0, sender.Calls());
}

class WakeOnce : public test::TMainWindowFixture
{
protected:
    void BeforeShow(Twnd_qn_Main& AWindow) override
    {
        AWindow.Clock = &FClock;
        AWindow.Timer->stop(); // the clocks are looked at where the test ticks
    }

    // A night asleep as the clocks see it.
    void Sleep()
    {
        FClock.Sleep(3600 * 1000);
        FClock.Ms += 300;
    }

    test::TFakeClock FClock{90000};
};

// The clocks see the wake at the first tick after it, which may come before or after logind's
// PrepareForSleep(false); whichever is first, the wake is handled once, and the next sleep's
// wake is handled again.
TEST_F(WakeOnce, AWakeToldByTheClocksAndByLogindIsHandledOnceInEitherOrder)
{
    ASSERT_FALSE(TPrivateSystemBus::Address.isEmpty()) << "no private bus: dbus-daemon is needed (make deps)";
    TFakeLogin login(true);
    ASSERT_TRUE(login.Serving());
    Twnd_qn_Main& w = Start();
    TSignalSeen seen;
    w.TimerTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return login.Held() == 1; }, 5000));

    // The clocks first.
    ASSERT_TRUE(seen.Send(login, true));
    EXPECT_EQ(0, login.Held());
    Sleep();
    w.TimerTimer();
    EXPECT_EQ(1, w.ResumeCount());
    ASSERT_TRUE(seen.Send(login, false));
    EXPECT_EQ(1, w.ResumeCount()) << "logind's wake after the clocks' is the same wake";
    w.TimerTimer();
    EXPECT_EQ(1, w.ResumeCount());
    ASSERT_TRUE(QTest::qWaitFor([&] { return login.Held() == 1; }, 5000));

    // logind first.
    ASSERT_TRUE(seen.Send(login, true));
    Sleep();
    ASSERT_TRUE(seen.Send(login, false));
    EXPECT_EQ(2, w.ResumeCount());
    w.TimerTimer();
    EXPECT_EQ(2, w.ResumeCount()) << "the clocks' wake after logind's is the same wake";

    // The clocks alone (logind's signal missed), then a sleep told by logind alone, with no time
    // asleep for the clocks to see (a failed suspend): each is a wake of its own.
    Sleep();
    w.TimerTimer();
    EXPECT_EQ(3, w.ResumeCount());
    ASSERT_TRUE(seen.Send(login, true));
    ASSERT_TRUE(seen.Send(login, false));
    EXPECT_EQ(4, w.ResumeCount());
    ASSERT_TRUE(QTest::qWaitFor([&] { return login.Held() == 1; }, 5000));
}

} // namespace
} // namespace qn

#include "sleep_bus_test.moc"
