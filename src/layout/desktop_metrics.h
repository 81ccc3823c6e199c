// TDesktopMetrics: the screens as the layout code sees them, replaceable by tests.
#pragma once

#include <QRect>

#include <functional>

namespace qn {

// The desktop as the layout code sees it; tests replace it (SetDesktopMetrics returns the old one).
struct TDesktopMetrics
{
    std::function<QRect()> VirtualDesktop;              // the union of all screens
    std::function<QRect()> PrimaryWorkArea;             // the primary screen without panels
    std::function<QRect(const QRect&)> WorkAreaNearest; // work area of the screen nearest to a rect
};
const TDesktopMetrics& DesktopMetrics();
TDesktopMetrics SetDesktopMetrics(TDesktopMetrics AMetrics);

} // namespace qn
