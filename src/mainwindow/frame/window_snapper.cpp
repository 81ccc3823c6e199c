// TWindowSnapper: the rest after a move, and the snapped position.
#include "mainwindow/frame/window_snapper.h"

#include "layout/desktop_metrics.h"

#include <QTimer>
#include <QWidget>

#include <cstdlib>

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

namespace {

// One axis: the window spans [AStart, AStart + ALength), the area [AAreaStart, AAreaEnd).
int Snapped(int AStart, int ALength, int AAreaStart, int AAreaEnd, int ABuffer)
{
    if (std::abs(AStart - AAreaStart) <= ABuffer)
        return AAreaStart;
    if (std::abs(AStart + ALength - AAreaEnd) <= ABuffer)
        return AAreaEnd - ALength;
    return AStart;
}

} // namespace

QPoint TWindowSnapper::SnappedPosition(const QRect& AFrame, const QRect& AWorkArea, int ABuffer)
{
    if (AWorkArea.isEmpty() || ABuffer <= 0)
        return AFrame.topLeft();
    return {Snapped(AFrame.x(), AFrame.width(), AWorkArea.x(), AWorkArea.x() + AWorkArea.width(), ABuffer),
            Snapped(AFrame.y(), AFrame.height(), AWorkArea.y(), AWorkArea.y() + AWorkArea.height(), ABuffer)};
}

} // namespace qn
