// TSizingFrame: presses and the cursor on the sizing border of a window without a caption.
#include "mainwindow/sizing_frame.h"

#include "mainwindow/sizing_border.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace qn {

TSizingFrame::TSizingFrame(QWidget* AWindow, int ABorder, std::function<bool()> AActive)
    : QObject(AWindow), FWindow(AWindow), FBorder(ABorder), FActive(std::move(AActive))
{
    AWindow->installEventFilter(this);
}

bool TSizingFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched != FWindow)
        return false;
    const auto type = AEvent->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(AEvent);
    const bool active = FActive();
    // Only the border reaches the window itself: everything else is covered by its children.
    const Qt::Edges edges = active ? SizingEdges(mouse->position().toPoint(), FWindow->size(), FBorder) : Qt::Edges();
    if (type == QEvent::MouseMove) {
        FWindow->setCursor(active ? SizingCursor(edges) : Qt::ArrowCursor);
        return false;
    }
    if (mouse->button() != Qt::LeftButton || !edges || !FWindow->windowHandle())
        return false;
    FWindow->windowHandle()->startSystemResize(edges);
    return true;
}

} // namespace qn
