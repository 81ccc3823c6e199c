// The main window across the user's day: the end of the session, and the machine's sleep and wake.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/history_recording.h"
#include "mainwindow/sleep_signal.h"
#include "netdata/network_configuration.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/sleep_detector.h"
#include "watcher/watcher_clock.h"

#include <QAction>
#include <QTimer>

#include <algorithm>

namespace qn {

namespace {
// After a wake, Wi-Fi and USB links come back late (or with new indexes): the interfaces are read
// again this often while a watched one is missing, for about a minute.
constexpr int ResumeLookIntervalMs = 5000;
constexpr int ResumeLooks = 12;
} // namespace

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
    FSleepSignal = new TSleepSignal(this);
    FSleepSignal->OnSleep = [this] { Guarded([this] { PrepareForSleep(); }); };
    FSleepSignal->OnResume = [this] { Guarded([this] { ResumeFromSleep(); }); };
    FResumeTimer = new QTimer(this);
    FResumeTimer->setObjectName(QStringLiteral("ResumeTimer"));
    FResumeTimer->setInterval(ResumeLookIntervalMs);
    connect(FResumeTimer, &QTimer::timeout, this, [this] { Guarded([this] { ResumeTimerTimer(); }); });
}

void Twnd_qn_Main::CheckForSleep()
{
    if (!FSleepDetector) {
        // The panels' clock, so that tests that drive it drive this too.
        IWatcherClock* clock = WatcherClock;
        if (!clock) {
            FSystemClock = std::make_unique<TSystemWatcherClock>();
            clock = FSystemClock.get();
        }
        FSleepDetector = std::make_unique<TSleepDetector>(*clock);
    }
    // Without a bus, or when its signal was missed, the clocks still tell.
    if (FSleepDetector->Resumed())
        Guarded([this] { ResumeFromSleep(); });
}

void Twnd_qn_Main::PrepareForSleep()
{
    // The traffic up to the sleep is counted now; the links may be gone or new after the wake.
    for (Tfrm_qn_Watcher* frame : FWatchers)
        frame->StartNewBaseline();
    if (History)
        History->WriteNow();
}

void Twnd_qn_Main::ResumeFromSleep()
{
    ++FResumeCount;
    // The sleep the clocks show is handled here, whoever told it first.
    if (FSleepDetector)
        FSleepDetector->Reset();
    RefreshData();
    for (Tfrm_qn_Watcher* frame : FWatchers)
        frame->StartNewBaseline();
    if (History)
        History->WriteNow();
    FResumeLooks = ResumeLooks;
    ResumeTimerTimer();
}

void Twnd_qn_Main::ResumeTimerTimer()
{
    const bool missing = std::any_of(FWatchers.begin(), FWatchers.end(),
                                     [](const Tfrm_qn_Watcher* AFrame) { return !AFrame->AdapterPresent; });
    if (!missing || FResumeLooks <= 0) {
        FResumeTimer->stop();
        return;
    }
    if (FResumeTimer->isActive())
        RefreshData(); // a look at the interfaces; the first is the wake's own refresh
    --FResumeLooks;
    FResumeTimer->start();
}

} // namespace qn
