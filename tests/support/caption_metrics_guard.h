// Pins the caption and menu-bar heights the window code measures, for a test's lifetime.
#pragma once

#include "mainwindow/frame/window_metrics.h"

namespace qn::test {

// Every window reports AMetrics until the guard goes; then the previous function is back.
class TCaptionMetricsGuard
{
public:
    explicit TCaptionMetricsGuard(TCaptionMetrics AMetrics)
        : FPrevious(SetCaptionMetricsFunction([AMetrics](const QWidget*) { return AMetrics; }))
    {
    }
    ~TCaptionMetricsGuard() { SetCaptionMetricsFunction(FPrevious); }
    TCaptionMetricsGuard(const TCaptionMetricsGuard&) = delete;
    TCaptionMetricsGuard& operator=(const TCaptionMetricsGuard&) = delete;

private:
    TCaptionMetricsFunction FPrevious;
};

} // namespace qn::test
