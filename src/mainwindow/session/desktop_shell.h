// What the main window asks of the desktop (a system tray, taskbar presence), behind one seam.
#pragma once

#include <functional>

class QWidget;

namespace qn {

// The desktop's answers and services for the main window. The real ones ask Qt and the window
// manager; tests replace them (there is no tray or window manager offscreen).
struct TDesktopShell
{
    // Whether a system tray is there now for a tray icon to dock into. Cheap enough to ask once a
    // second; the answer may change at any time (a panel starts or dies).
    std::function<bool()> TrayAvailable;
    // Whether a system tray announced its start since the last call (the first call starts
    // listening): looking for a tray that is not there waits on the display server, so without a
    // tray TrayAvailable is asked only now and then, and at once when this says one came.
    std::function<bool()> TrayAnnounced;
    // Asks the window manager to leave the top-level AWindow out of the taskbar and the pager
    // (ASkip) or to list it there. Takes effect on a shown window and at the next show; a window
    // without a native window yet is left alone (call it again when it is shown).
    std::function<void(QWidget* AWindow, bool ASkip)> SetSkipTaskbar;
};

// The shell in force; never has empty members.
const TDesktopShell& DesktopShell();
// Replaces the shell (empty members take the real ones); returns the previous one.
TDesktopShell SetDesktopShell(TDesktopShell AShell);

// Installs a shell for its lifetime and puts the previous one back (tests).
class TDesktopShellGuard
{
public:
    explicit TDesktopShellGuard(TDesktopShell AShell) : FPrevious(SetDesktopShell(std::move(AShell))) {}
    ~TDesktopShellGuard() { SetDesktopShell(std::move(FPrevious)); }
    TDesktopShellGuard(const TDesktopShellGuard&) = delete;
    TDesktopShellGuard& operator=(const TDesktopShellGuard&) = delete;

private:
    TDesktopShell FPrevious;
};

} // namespace qn
