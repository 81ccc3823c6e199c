// logind's sleep signal through QtDBus.
#include "mainwindow/session/sleep_signal.h"

#include <QDBusConnection>

namespace qn {

TSleepSignal::TSleepSignal(QObject* AParent) : QObject(AParent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    // Any sender: the signal only makes the program re-read its interfaces and start new
    // baselines, which no sender can turn into wrong figures, and a bus without logind's name
    // (a test's private bus) can still tell it.
    FListening = bus.connect(QString(), QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                             SLOT(PrepareForSleep(bool)));
}

void TSleepSignal::PrepareForSleep(bool AStart)
{
    const std::function<void()>& handler = AStart ? OnSleep : OnResume;
    if (handler)
        handler();
}

} // namespace qn
