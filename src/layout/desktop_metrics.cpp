// The desktop metrics of the running Qt application, and their replacement.
#include "layout/desktop_metrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <utility>

namespace qn {

namespace {

QRect NearestWorkArea(const QRect& ARect)
{
    const auto screens = QGuiApplication::screens();
    QScreen* best = QGuiApplication::primaryScreen();
    long long bestDistance = LLONG_MAX;
    for (QScreen* s : screens) {
        const QRect g = s->geometry();
        if (g.intersects(ARect)) {
            const QRect common = g.intersected(ARect);
            const long long overlap = -static_cast<long long>(common.width()) * common.height();
            if (overlap < bestDistance) {
                bestDistance = overlap;
                best = s;
            }
            continue;
        }
        const int dx = std::max({g.left() - ARect.right(), ARect.left() - g.right(), 0});
        const int dy = std::max({g.top() - ARect.bottom(), ARect.top() - g.bottom(), 0});
        const long long d = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
        if (d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best ? best->availableGeometry() : QRect();
}

TDesktopMetrics& Metrics()
{
    static TDesktopMetrics metrics{
        [] {
            QScreen* s = QGuiApplication::primaryScreen();
            return s ? s->virtualGeometry() : QRect();
        },
        [] {
            QScreen* s = QGuiApplication::primaryScreen();
            return s ? s->availableGeometry() : QRect();
        },
        NearestWorkArea,
    };
    return metrics;
}

} // namespace

const TDesktopMetrics& DesktopMetrics()
{
    return Metrics();
}

TDesktopMetrics SetDesktopMetrics(TDesktopMetrics AMetrics)
{
    TDesktopMetrics old = Metrics();
    Metrics() = std::move(AMetrics);
    return old;
}

} // namespace qn
