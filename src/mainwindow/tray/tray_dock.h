// TTrayDock: the window's life beside a tray icon that may be docked or not at any moment.
#pragma once

#include <QMetaObject>

class QString;
class QSystemTrayIcon;
class QWidget;

namespace qn {

// While the icon is docked the window has no taskbar or pager entry and "Hide" puts it into the
// tray; without a docked icon a hidden window could never be found again, so "Hide" minimises it
// and a tray that goes away while the window is in it brings the window back, minimised. The
// window and the icon are borrowed and must outlive this object.
class TTrayDock
{
public:
    // A click on the icon (its trigger) runs Restore.
    TTrayDock(QWidget* AWindow, QSystemTrayIcon* AIcon);
    ~TTrayDock();

    // Whether the icon is docked, as last seen by Update.
    bool Docked() const { return FDocked; }
    // Follows the tray as it comes and goes.
    void Update();
    // The once-a-second look: Update, but while no tray was seen and the window is not in one only
    // when a tray announced itself or every NoTrayLookTicks-th time, since looking for a missing
    // tray asks the display server and waits for its answer (a wait costs as much as a second's
    // painting). Every tray that keeps the desktop's tray protocol announces itself; the slow
    // look is for one that does not.
    void Tick();
    static constexpr int NoTrayLookTicks = 30;
    void Hide();
    // The icon was clicked: the window comes back in the state it left.
    void Restore();
    // The window is being shown: it is out of the tray.
    void Showing() { FInTray = false; }
    // The window was shown: it gets back the taskbar state that a window manager drops when a
    // window is withdrawn.
    void Shown();
    // Shows a warning message from the icon if it is docked now (the tray is looked at first);
    // returns false, showing nothing, when it is not.
    bool ShowWarning(const QString& ASummary, const QString& ABody);

private:
    QWidget* FWindow;
    QSystemTrayIcon* FIcon;
    bool FDocked = false;
    bool FInTray = false;
    int FTicksSinceLook = 0;
    QMetaObject::Connection FClick;
};

} // namespace qn
