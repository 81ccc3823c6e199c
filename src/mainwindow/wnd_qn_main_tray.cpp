// The main window's tray side: hiding into the tray, coming back from it, and the taskbar button
// while an icon is docked.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/desktop_shell.h"

#include <QSystemTrayIcon>

namespace qn {

void Twnd_qn_Main::acHideExecute()
{
    // Decision: a window hidden with no docked icon could never be found again; minimise it to its
    // taskbar button instead.
    UpdateTrayState();
    if (FTrayDocked) {
        FInTray = true;
        hide();
    } else {
        showMinimized();
    }
}

void Twnd_qn_Main::TrayIconClick()
{
    FInTray = false;
    if (isMinimized()) {
        // Back to the state it was minimised from: showNormal would drop a maximised state.
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    }
    show();
    raise();
    activateWindow();
}

void Twnd_qn_Main::UpdateTrayState()
{
    const bool docked = TrayIcon->isVisible() && DesktopShell().TrayAvailable();
    if (docked != FTrayDocked) {
        FTrayDocked = docked;
        // With an icon in the tray the window has no taskbar button; without one it needs it.
        DesktopShell().SetSkipTaskbar(this, docked);
    }
    // The tray went away while the window was in it: nothing could bring it back from there.
    if (!FTrayDocked && FInTray) {
        FInTray = false;
        showMinimized();
    }
}

void Twnd_qn_Main::setVisible(bool AVisible)
{
    if (AVisible && !isVisible())
        FSizeBeforeRestore = size();
    TLMForm::setVisible(AVisible);
}

void Twnd_qn_Main::showEvent(QShowEvent* AEvent)
{
    FInTray = false;
    TLMForm::showEvent(AEvent);
    // A window manager drops a window's states when it is withdrawn (hidden to the tray).
    DesktopShell().SetSkipTaskbar(this, FTrayDocked);
}

} // namespace qn
