// TDesktopNotifier: the program's notifications, through the desktop's notification service.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace qn {

// Sends org.freedesktop.Notifications.Notify on the session bus: app name "Quarno", the
// program's icon, category "network" and its desktop entry, and the id of the last notification
// as replaces_id, so a newer one takes the older one's place instead of stacking. The call is
// asynchronous; when no service answers (no session bus, no server, an error), the same text goes
// to TrayMessage, which shows it as the tray icon's message when the icon is docked and returns
// false when it is not: then nothing is shown.
class TDesktopNotifier : public QObject
{
    Q_OBJECT

public:
    explicit TDesktopNotifier(QObject* AParent = nullptr);

    void Notify(const QString& ASummary, const QString& ABody);
    // The server's id of the notification on screen, 0 before the first answer.
    uint NotificationId() const { return FId; }

    std::function<bool(const QString& ASummary, const QString& ABody)> TrayMessage;

signals:
    // A notification was handed to the server (AViaService) or the tray (not AViaService).
    void Delivered(bool AViaService);

private:
    void Fallback(const QString& ASummary, const QString& ABody);

    uint FId = 0;
};

} // namespace qn
