// TSizingFrame: presses and the cursor on the sizing border of a window without a caption, and which
// edges a press grabs.
#include "mainwindow/frame/sizing_frame.h"

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
    const Qt::Edges edges = active ? Edges(mouse->position().toPoint(), FWindow->size(), FBorder) : Qt::Edges();
    if (type == QEvent::MouseMove) {
        FWindow->setCursor(active ? Cursor(edges) : Qt::ArrowCursor);
        return false;
    }
    if (mouse->button() != Qt::LeftButton || !edges || !FWindow->windowHandle())
        return false;
    FWindow->windowHandle()->startSystemResize(edges);
    return true;
}

Qt::Edges TSizingFrame::Edges(const QPoint& APos, const QSize& ASize, int ABorder)
{
    Qt::Edges edges;
    // Corners are a little larger than the border, so that they can be hit.
    const int corner = 4 * ABorder;
    const bool nearLeft = APos.x() < corner, nearRight = APos.x() >= ASize.width() - corner;
    const bool nearTop = APos.y() < corner, nearBottom = APos.y() >= ASize.height() - corner;
    const bool onLeft = APos.x() < ABorder, onRight = APos.x() >= ASize.width() - ABorder;
    const bool onTop = APos.y() < ABorder, onBottom = APos.y() >= ASize.height() - ABorder;
    if (onLeft || ((onTop || onBottom) && nearLeft))
        edges |= Qt::LeftEdge;
    if (onRight || ((onTop || onBottom) && nearRight))
        edges |= Qt::RightEdge;
    if (onTop || ((onLeft || onRight) && nearTop))
        edges |= Qt::TopEdge;
    if (onBottom || ((onLeft || onRight) && nearBottom))
        edges |= Qt::BottomEdge;
    return edges;
}

Qt::CursorShape TSizingFrame::Cursor(Qt::Edges AEdges)
{
    if (AEdges == (Qt::LeftEdge | Qt::TopEdge) || AEdges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (AEdges == (Qt::RightEdge | Qt::TopEdge) || AEdges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (AEdges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (AEdges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace qn
