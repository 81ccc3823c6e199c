// TMainComponents: the main window's list, tray icon, top-most switch and timers, by their design names.
#pragma once

#include "widgetkit/svg_image_list.h"

class QLabel;
class QMenu;
class QScrollArea;
class QTimer;
class QWidget;

namespace qn {

class TIntfTree;
class TTopMostWindow;
class TTrafficTrayIcon;

// CreateDesignComponents gives each component its design values and the window (through Qt's parents)
// as its owner; nothing is connected or started: the window wires them. ScrollBox and lStartHint
// are the panels' (TWatcherPanels), set by the window.
struct TMainComponents
{
    TMainComponents();

    TIntfTree* Tree = nullptr;
    QScrollArea* ScrollBox = nullptr;
    // Always shown; docked while the desktop has a tray (it may come and go at any time).
    TTrafficTrayIcon* TrayIcon = nullptr;
    TTopMostWindow* TMW = nullptr;
    // The one-second pass.
    QTimer* Timer = nullptr;
    // Single shot, armed by the first change noticed after a refresh: a burst of changes gives one
    // refresh 250 ms later, and changes go on giving one every 250 ms at most; a change noticed
    // during or after a refresh arms it again, so the last change is always read.
    QTimer* RefreshTimer = nullptr;
    // The watcher area's first-start hint, shown while there is no panel.
    QLabel* lStartHint = nullptr;
    TSvgImageList ilIntf16;
    TSvgImageList ilIntf32;

    // Tree goes into AClient (hidden until the layout says otherwise); the others belong to AWindow,
    // the tray icon with APopup as its menu.
    void CreateDesignComponents(QWidget* AWindow, QWidget* AClient, QMenu* APopup);
};

} // namespace qn
