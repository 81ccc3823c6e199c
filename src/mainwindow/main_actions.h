// TMainActions: the main window's actions and menus, by their design names, with their design values.
#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace qn {

// The actions are the window's own (added to it, so that their shortcuts work while the menu bar
// is hidden) and have no handler yet: the window connects them. The "Monitor" menu is left empty
// for TMonitorMenu. Every object is owned by the window through Qt's parents.
struct TMainActions
{
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
    QAction* acTrayTraffic = nullptr;

    void CreateActionsAndMenus(QMainWindow* AWindow);
};

} // namespace qn
