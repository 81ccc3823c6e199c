// TMainActions: the main window's actions and menus, by their design names, with their design values.
#pragma once

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace qn {

// The actions are the window's own (added to it, so that their shortcuts work while the menu bar
// is hidden) and get their handlers from the window through ConnectExecute and ConnectToggle; every
// handler runs inside the guard given at creation, so that no exception crosses the event loop. The
// "Monitor" menu is left empty for TMonitorMenu. Every object is owned by the window through Qt's
// parents.
class TMainActions
{
public:
    using TGuard = std::function<void(const std::function<void()>& AWork)>;

    QMenuBar* MainMenu = nullptr;
    QMenu* File1 = nullptr;
    QMenu* mmInterface = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Help1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* acExit = nullptr;
    QAction* acAbout = nullptr;
    QAction* acOnTop = nullptr;
    QAction* acIntfView = nullptr;
    QAction* acCaption = nullptr;
    QAction* acHide = nullptr;
    QAction* acOOI = nullptr;
    QAction* acRefresh = nullptr;
    QAction* acPersistent = nullptr;
    QAction* acHistory = nullptr;
    QAction* acQuota = nullptr;
    QAction* acApps = nullptr;
    QAction* acTrayTraffic = nullptr;

    void CreateActionsAndMenus(QMainWindow* AWindow, TGuard AGuard);
    const TGuard& Guard() const { return FGuard; }

    // AAction runs AHandler when triggered.
    void ConnectExecute(QAction* AAction, std::function<void()> AHandler);
    // A check item over a state kept elsewhere: when triggered, its new check goes to AWrite, and then
    // it shows what ARead says.
    void ConnectToggle(QAction* AAction, std::function<bool()> ARead, std::function<void(bool AChecked)> AWrite);
    // Every toggle's check shows its state again (after the layout was restored).
    void MirrorToggles() const;

private:
    struct TToggle
    {
        QAction* Action;
        std::function<bool()> Read;
    };

    TGuard FGuard;
    std::vector<TToggle> FToggles;
};

} // namespace qn
