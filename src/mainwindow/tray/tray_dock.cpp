// TTrayDock: hiding into the tray, coming back from it, and the taskbar entry while an icon is docked.
#include "mainwindow/tray/tray_dock.h"

#include "mainwindow/session/desktop_shell.h"

#include <QSystemTrayIcon>
#include <QWidget>

namespace qn {

TTrayDock::TTrayDock(QWidget* AWindow, QSystemTrayIcon* AIcon)
    : FWindow(AWindow), FIcon(AIcon),
      FClick(QObject::connect(AIcon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason AReason) {
          if (AReason == QSystemTrayIcon::Trigger)
              Restore();
      }))
{
    // Listening from the start: a tray started just after the program is heard too.
    DesktopShell().TrayAnnounced();
}

TTrayDock::~TTrayDock()
{
    QObject::disconnect(FClick);
}

void TTrayDock::Tick()
{
    if (FDocked || FInTray || DesktopShell().TrayAnnounced() || ++FTicksSinceLook >= NoTrayLookTicks)
        Update();
}

void TTrayDock::Update()
{
    FTicksSinceLook = 0;
    const bool docked = FIcon->isVisible() && DesktopShell().TrayAvailable();
    if (docked != FDocked) {
        FDocked = docked;
        DesktopShell().SetSkipTaskbar(FWindow, docked);
    }
    if (!FDocked && FInTray) {
        FInTray = false;
        FWindow->showMinimized();
    }
}

void TTrayDock::Hide()
{
    Update();
    if (FDocked) {
        FInTray = true;
        FWindow->hide();
    } else {
        FWindow->showMinimized();
    }
}

void TTrayDock::Restore()
{
    FInTray = false;
    if (FWindow->isMinimized()) {
        // Back to the state it was minimised from: showNormal would drop a maximised state.
        FWindow->setWindowState((FWindow->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    }
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
}

void TTrayDock::Shown()
{
    DesktopShell().SetSkipTaskbar(FWindow, FDocked);
}

bool TTrayDock::ShowWarning(const QString& ASummary, const QString& ABody)
{
    Update();
    if (!FDocked)
        return false;
    FIcon->showMessage(ASummary, ABody, QSystemTrayIcon::Warning);
    return true;
}

} // namespace qn
