// Caption and menu-bar heights measured from the window, with the style's values as fallback.
#include "mainwindow/frame/window_metrics.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QWidget>

#include <utility>

namespace qn {

namespace {

TCaptionMetrics RealCaptionMetrics(const QWidget* AWindow)
{
    TCaptionMetrics m;
    const QStyle* style = AWindow ? AWindow->style() : QApplication::style();
    const int styleTitle = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, AWindow);
    // The window manager's frame is only known once it has decorated the mapped window.
    static int lastMeasured = 0;
    if (AWindow && AWindow->isVisible() && !(AWindow->windowFlags() & Qt::FramelessWindowHint)) {
        const int title = AWindow->geometry().top() - AWindow->frameGeometry().top();
        const int border = AWindow->frameGeometry().bottom() - AWindow->geometry().bottom();
        if (title > border)
            lastMeasured = title - border;
    }
    m.CaptionHeight = lastMeasured > 0 ? lastMeasured : styleTitle;
    m.SmallCaptionHeight = styleTitle;
    const auto* main = qobject_cast<const QMainWindow*>(AWindow);
    if (main && main->menuWidget())
        m.MenuHeight = main->menuWidget()->sizeHint().height();
    else
        m.MenuHeight = QMenuBar().sizeHint().height();
    return m;
}

TCaptionMetricsFunction& Current()
{
    static TCaptionMetricsFunction function;
    return function;
}

} // namespace

TCaptionMetrics GetCaptionMetrics(const QWidget* AWindow)
{
    const auto& f = Current();
    return f ? f(AWindow) : RealCaptionMetrics(AWindow);
}

TCaptionMetricsFunction SetCaptionMetricsFunction(TCaptionMetricsFunction AFunction)
{
    return std::exchange(Current(), std::move(AFunction));
}

} // namespace qn
