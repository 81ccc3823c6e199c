// The real desktop shell: Qt's tray availability and the window manager's taskbar states.
#include "mainwindow/session/desktop_shell.h"

#include "platform/taskbar_presence.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace qn {

namespace {

void RealSetSkipTaskbar(QWidget* AWindow, bool ASkip)
{
    if (!AWindow || !AWindow->windowHandle())
        return;
    // Only X11 has the window manager states; elsewhere the window keeps its taskbar button.
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return;
    // Before Qt maps the window (hidden, or inside its show event) the property is ours to set.
    SetSkipTaskbar(x11->connection(), static_cast<std::uint32_t>(AWindow->winId()),
                   AWindow->windowHandle()->isVisible(), ASkip);
}

// Notes the trays that announce themselves on the X display; installed with the first question.
class TTrayAnnouncements : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& AType, void* AMessage, qintptr*) override
    {
        if (AType == "xcb_generic_event_t" && FConnection && IsTrayAnnouncement(FConnection, AMessage))
            FAnnounced = true;
        return false; // Qt's own tray tracking sees it too
    }

    bool Take()
    {
        // Installed again for an application made after the last one was gone.
        if (FApplication != QCoreApplication::instance()) {
            FApplication = QCoreApplication::instance();
            const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
            FConnection = x11 ? x11->connection() : nullptr;
            if (FConnection)
                FApplication->installNativeEventFilter(this);
        }
        return std::exchange(FAnnounced, false);
    }

private:
    QPointer<QCoreApplication> FApplication;
    void* FConnection = nullptr;
    bool FAnnounced = false;
};

bool RealTrayAnnounced()
{
    static TTrayAnnouncements announcements;
    return announcements.Take();
}

TDesktopShell RealShell()
{
    return {[] { return QSystemTrayIcon::isSystemTrayAvailable(); }, RealTrayAnnounced, RealSetSkipTaskbar};
}

TDesktopShell& Current()
{
    static TDesktopShell shell = RealShell();
    return shell;
}

} // namespace

const TDesktopShell& DesktopShell()
{
    return Current();
}

TDesktopShell SetDesktopShell(TDesktopShell AShell)
{
    const TDesktopShell real = RealShell();
    if (!AShell.TrayAvailable)
        AShell.TrayAvailable = real.TrayAvailable;
    if (!AShell.TrayAnnounced)
        AShell.TrayAnnounced = real.TrayAnnounced;
    if (!AShell.SetSkipTaskbar)
        AShell.SetSkipTaskbar = real.SetSkipTaskbar;
    return std::exchange(Current(), std::move(AShell));
}

} // namespace qn
