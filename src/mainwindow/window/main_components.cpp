// TMainComponents: the main window's components with their design values.
#include "mainwindow/window/main_components.h"

#include "mainwindow/frame/top_most_window.h"
#include "mainwindow/interface_list/intf_tree.h"
#include "mainwindow/tray/traffic_tray_icon.h"

#include <QCoreApplication>
#include <QTimer>

namespace qn {

namespace {

constexpr int TreeHeight = 115;
constexpr int TimerIntervalMs = 1000;
// The wait between a noticed change and its refresh, and the least time between such refreshes.
constexpr int RefreshDelayMs = 250;

} // namespace

TMainComponents::TMainComponents() : ilIntf16(16, InterfaceImageResources()), ilIntf32(32, InterfaceImageResources()) {}

void TMainComponents::CreateDesignComponents(QWidget* AWindow, QWidget* AClient, QMenu* APopup)
{
    Tree = new TIntfTree(AClient);
    Tree->setObjectName(QStringLiteral("Tree"));
    Tree->ApplyDesign(TreeHeight, QSize(ilIntf16.Width(), ilIntf16.Height()));
    Tree->setAccessibleName(QCoreApplication::translate("qn::TMainComponents", "Interfaces"));
    Tree->SetTag(1);
    Tree->setVisible(false);

    TMW = new TTopMostWindow(AWindow);
    TMW->setObjectName(QStringLiteral("TMW"));
    TMW->SetTag(1);

    TrayIcon = new TTrafficTrayIcon(AWindow);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setContextMenu(APopup);

    Timer = new QTimer(AWindow);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(TimerIntervalMs);
    // Whole seconds of the monotonic clock, like the panels' and the applications' timers: the
    // process wakes once a second, and one counter pass and one repaint serve them all.
    Timer->setTimerType(Qt::VeryCoarseTimer);

    RefreshTimer = new QTimer(AWindow);
    RefreshTimer->setObjectName(QStringLiteral("RefreshTimer"));
    RefreshTimer->setSingleShot(true);
    RefreshTimer->setInterval(RefreshDelayMs);
}

} // namespace qn
