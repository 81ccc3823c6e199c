// Notifications over QtDBus, with the tray's message where no server answers.
#include "mainwindow/session/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace qn {

namespace {

// How long a server may take to answer before the tray shows the text instead.
constexpr int CallTimeoutMs = 5000;

} // namespace

TDesktopNotifier::TDesktopNotifier(QObject* AParent) : QObject(AParent) {}

void TDesktopNotifier::Notify(const QString& ASummary, const QString& ABody)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Fallback(ASummary, ABody);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("category"), QStringLiteral("network")},
                            {QStringLiteral("desktop-entry"), QStringLiteral("org.veldo.Quarno")}};
    call << QStringLiteral("Quarno") << FId << QStringLiteral("org.veldo.Quarno") << ASummary << ABody << QStringList()
         << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, ASummary, ABody](QDBusPendingCallWatcher* AW) {
        const QDBusPendingReply<uint> reply = *AW;
        AW->deleteLater();
        if (reply.isError()) {
            Fallback(ASummary, ABody);
            return;
        }
        FId = reply.value();
        emit Delivered(true);
    });
}

void TDesktopNotifier::Fallback(const QString& ASummary, const QString& ABody)
{
    if (TrayMessage && TrayMessage(ASummary, ABody))
        emit Delivered(false);
}

} // namespace qn
