// Snapping to the work area's edges.
#include "mainwindow/screen_snap.h"

#include <cstdlib>

namespace qn {

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

QPoint SnappedPosition(const QRect& AFrame, const QRect& AWorkArea, int ABuffer)
{
    if (AWorkArea.isEmpty() || ABuffer <= 0)
        return AFrame.topLeft();
    return {Snapped(AFrame.x(), AFrame.width(), AWorkArea.x(), AWorkArea.x() + AWorkArea.width(), ABuffer),
            Snapped(AFrame.y(), AFrame.height(), AWorkArea.y(), AWorkArea.y() + AWorkArea.height(), ABuffer)};
}

} // namespace qn
