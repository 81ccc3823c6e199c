// TSleepInhibitor: logind's "delay" sleep lock, so that the history is written before the machine sleeps.
#pragma once

#include <QDBusUnixFileDescriptor>

class QDBusPendingCallWatcher;
class QObject;

namespace qn {

// While the lock is held, logind waits (up to its InhibitDelayMaxSec) after PrepareForSleep(true)
// until it is released: the program releases it once its last write before the sleep is done,
// and takes it again after the wake. The request is asynchronous, so nothing waits on the bus;
// without logind (no system bus, a bus without its name, a refusal) no lock is held and the
// machine sleeps as it would anyway. The lock is a descriptor; closing it releases it.
class TSleepInhibitor
{
public:
    // The request's answer is delivered to AOwner's thread.
    explicit TSleepInhibitor(QObject* AOwner);
    ~TSleepInhibitor();
    TSleepInhibitor(const TSleepInhibitor&) = delete;
    TSleepInhibitor& operator=(const TSleepInhibitor&) = delete;

    // Asks logind for the lock unless it is held or asked for already.
    void Take();
    // Releases the lock (and drops one that is still to come).
    void Release();
    bool Held() const { return FLock.isValid(); }

private:
    void Answered(QDBusPendingCallWatcher* AWatcher);

    QObject* FOwner;
    QDBusPendingCallWatcher* FAsking = nullptr;
    bool FWanted = false;
    QDBusUnixFileDescriptor FLock;
};

} // namespace qn
