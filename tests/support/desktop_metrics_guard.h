// Pins the desktop the layout code sees (one screen, its work area) for a test's lifetime.
#pragma once

#include "layout/layout_manager.h"

#include <QRect>

namespace qn::test {

// Installs a desktop of ADesktop whose work area is AWork (by default 1920 x 1080 with a 40-pixel
// panel at the bottom) and puts the previous metrics back when it goes.
class TDesktopMetricsGuard
{
public:
    explicit TDesktopMetricsGuard(QRect ADesktop = {0, 0, 1920, 1080}, QRect AWork = {0, 0, 1920, 1040})
        : FPrevious(
              SetDesktopMetrics({[=] { return ADesktop; }, [=] { return AWork; }, [=](const QRect&) { return AWork; }}))
    {
    }
    ~TDesktopMetricsGuard() { SetDesktopMetrics(FPrevious); }
    TDesktopMetricsGuard(const TDesktopMetricsGuard&) = delete;
    TDesktopMetricsGuard& operator=(const TDesktopMetricsGuard&) = delete;

private:
    TDesktopMetrics FPrevious;
};

} // namespace qn::test
