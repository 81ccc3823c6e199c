// The real desktop shell: Qt's tray availability and the window manager's taskbar states.
#include "mainwindow/session/desktop_shell.h"

#include "platform/taskbar_presence.h"

#include <QGuiApplication>
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

TDesktopShell RealShell()
{
    return {[] { return QSystemTrayIcon::isSystemTrayAvailable(); }, RealSetSkipTaskbar};
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
    if (!AShell.SetSkipTaskbar)
        AShell.SetSkipTaskbar = real.SetSkipTaskbar;
    return std::exchange(Current(), std::move(AShell));
}

} // namespace qn
