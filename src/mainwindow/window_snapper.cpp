// TWindowSnapper: the rest after a move, and the snapped position.
#include "mainwindow/window_snapper.h"

#include "layout/desktop_metrics.h"
#include "mainwindow/screen_snap.h"

#include <QTimer>
#include <QWidget>

namespace qn {

namespace {
constexpr int SnapDelayMs = 150;
constexpr int SnapBuffer = 10;
} // namespace

TWindowSnapper::TWindowSnapper(QWidget* AWindow) : FWindow(AWindow), FTimer(new QTimer(AWindow))
{
    FTimer->setSingleShot(true);
    FTimer->setInterval(SnapDelayMs);
    QObject::connect(FTimer, &QTimer::timeout, FTimer, [this] { Snap(); });
}

void TWindowSnapper::Moved(bool ASpontaneous)
{
    if (ASpontaneous && FWindow->isVisible())
        FTimer->start();
}

void TWindowSnapper::Snap()
{
    if (!FWindow->isVisible() ||
        (FWindow->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect frame = FWindow->frameGeometry();
    const QPoint snapped = SnappedPosition(frame, DesktopMetrics().WorkAreaNearest(frame), SnapBuffer);
    if (snapped != frame.topLeft())
        FWindow->move(snapped);
}

} // namespace qn
