// TWindowDrag: the window system's move, started from the free area and the panels' header bars.
#include "mainwindow/frame/window_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace qn {

TWindowDrag::TWindowDrag(QWidget* AWindow, std::function<bool()> AHeaders)
    : QObject(AWindow), FWindow(AWindow), FHeaders(std::move(AHeaders))
{
}

void TWindowDrag::AddArea(QWidget* AArea)
{
    FAreas.append(AArea);
    AArea->installEventFilter(this);
}

void TWindowDrag::ScrollBoxMouseDown(Qt::MouseButton AButton) const
{
    if (AButton != Qt::LeftButton)
        return;
    if (QWindow* w = FWindow->windowHandle())
        w->startSystemMove();
}

bool TWindowDrag::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() != QEvent::MouseButtonPress)
        return false;
    const Qt::MouseButton button = static_cast<QMouseEvent*>(AEvent)->button();
    if (FAreas.contains(AWatched)) {
        ScrollBoxMouseDown(button);
        return false;
    }
    if (button != Qt::LeftButton || !FHeaders())
        return false;
    ScrollBoxMouseDown(button);
    return true;
}

} // namespace qn
