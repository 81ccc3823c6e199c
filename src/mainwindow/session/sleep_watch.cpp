// TSleepWatch: the bus signal, the clocks' view of a sleep and the looks after a wake.
#include "mainwindow/session/sleep_watch.h"

#include "mainwindow/session/sleep_detector.h"
#include "mainwindow/session/sleep_inhibitor.h"
#include "mainwindow/session/sleep_signal.h"
#include "platform/clock.h"

#include <QTimer>

namespace qn {

namespace {
// The interfaces are read again this often while a watched one is missing, for about a minute.
constexpr int ResumeLookIntervalMs = 5000;
constexpr int ResumeLooks = 12;
} // namespace

TSleepWatch::TSleepWatch(QObject* AOwner)
{
    FSignal = new TSleepSignal(AOwner);
    FInhibitor = std::make_unique<TSleepInhibitor>(AOwner);
    FSignal->OnSleep = [this] {
        FWakes.SleepAnnounced();
        if (OnSleep)
            OnSleep();
        // Written: the machine may sleep now.
        FInhibitor->Release();
    };
    FSignal->OnResume = [this] {
        if (FWakes.BusWake() && OnResume)
            OnResume();
    };
    if (FSignal->Listening())
        FInhibitor->Take();
    FTimer = new QTimer(AOwner);
    FTimer->setObjectName(QStringLiteral("ResumeTimer"));
    FTimer->setInterval(ResumeLookIntervalMs);
    QObject::connect(FTimer, &QTimer::timeout, FTimer, [this] { Look(); });
}

TSleepWatch::~TSleepWatch()
{
    FTimer->stop();
    FSignal->OnSleep = nullptr;
    FSignal->OnResume = nullptr;
}

void TSleepWatch::Check(IClock* AClock)
{
    if (!FDetector) {
        FDetector = std::make_unique<TSleepDetector>(AClock ? *AClock : SystemClock());
    }
    if (FDetector->Resumed() && FWakes.ClockWake() && OnResume)
        OnResume();
}

void TSleepWatch::Woken()
{
    ++FResumeCount;
    if (FDetector)
        FDetector->Reset();
    if (FSignal->Listening())
        FInhibitor->Take();
}

void TSleepWatch::StartLooks()
{
    FLooks = ResumeLooks;
    Look();
}

void TSleepWatch::Look()
{
    if (!(Missing && Missing()) || FLooks <= 0) {
        FTimer->stop();
        return;
    }
    if (FTimer->isActive() && OnLook)
        OnLook(); // a look at the interfaces; the first is the wake's own refresh
    --FLooks;
    FTimer->start();
}

} // namespace qn
