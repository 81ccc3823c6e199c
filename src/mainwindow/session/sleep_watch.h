// TSleepWatch: tells the window of the machine's sleep and wake, and looks for late links after it.
#pragma once

#include "mainwindow/session/wake_once.h"

#include <functional>
#include <memory>

class QObject;
class QTimer;

namespace qn {

class IClock;
class TSleepDetector;
class TSleepInhibitor;
class TSleepSignal;

// Two sources tell of a sleep: logind's signal on the system bus (before and after), and the boot
// clock found ahead of the monotonic one at a tick (Check), for a machine without a bus or a signal
// that was missed. A wake, whoever told it first, is handled once (TWakeOnce): Woken resets the
// clocks' view and then, for about a minute, calls OnLook every few seconds while Missing says a
// watched interface is not back after StartLooks (Wi-Fi and USB links return late, or with new
// indexes).
//
// While logind is there, its "delay" sleep lock (TSleepInhibitor) is held: released once OnSleep
// has written, taken again at the wake.
//
// The callbacks run on the GUI thread; the owner wraps them in its error guard. The timer and the
// bus listener are children of AOwner.
class TSleepWatch
{
public:
    explicit TSleepWatch(QObject* AOwner);
    ~TSleepWatch();

    std::function<void()> OnSleep;
    std::function<void()> OnResume;
    std::function<bool()> Missing;
    std::function<void()> OnLook;

    // At each tick: AClock (null is the system's, fixed at the first call) tells a sleep by its
    // clocks; OnResume follows.
    void Check(IClock* AClock);
    // A wake is being handled: the clocks' sleep is forgotten.
    void Woken();
    // After the wake's own refresh: the looks begin.
    void StartLooks();
    int ResumeCount() const { return FResumeCount; }

private:
    void Look();

    std::unique_ptr<TSleepDetector> FDetector;
    TSleepSignal* FSignal = nullptr;
    std::unique_ptr<TSleepInhibitor> FInhibitor;
    TWakeOnce FWakes;
    QTimer* FTimer = nullptr;
    int FLooks = 0; // re-reads left after the last wake
    int FResumeCount = 0;
};

} // namespace qn
