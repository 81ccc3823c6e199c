// TSleepInhibitor: logind's Inhibit call on the system bus.
#include "mainwindow/session/sleep_inhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace qn {

TSleepInhibitor::TSleepInhibitor(QObject* AOwner) : FOwner(AOwner) {}

TSleepInhibitor::~TSleepInhibitor()
{
    delete FAsking;
}

void TSleepInhibitor::Take()
{
    FWanted = true;
    if (Held() || FAsking)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Quarno")
         << QStringLiteral("Writing the traffic history before the machine sleeps") << QStringLiteral("delay");
    FAsking = new QDBusPendingCallWatcher(bus.asyncCall(call), FOwner);
    QObject::connect(FAsking, &QDBusPendingCallWatcher::finished, FOwner,
                     [this](QDBusPendingCallWatcher* AWatcher) { Answered(AWatcher); });
}

void TSleepInhibitor::Release()
{
    FWanted = false;
    FLock = QDBusUnixFileDescriptor();
}

void TSleepInhibitor::Answered(QDBusPendingCallWatcher* AWatcher)
{
    if (AWatcher != FAsking)
        return;
    FAsking = nullptr;
    {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *AWatcher;
        // An error (no logind, a refusal) leaves no lock: the machine sleeps without waiting.
        if (FWanted && reply.isValid())
            FLock = reply.value();
    }
    // The answer keeps a copy of the descriptor until it goes: a lock asked for and no longer
    // wanted (a sleep came first) is released with it.
    AWatcher->deleteLater();
}

} // namespace qn
