// The sizing border of a window that draws its own: which edges a press grabs, which cursor shows.
#include "mainwindow/sizing_border.h"

namespace qn {

Qt::Edges SizingEdges(const QPoint& APos, const QSize& ASize, int ABorder)
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

Qt::CursorShape SizingCursor(Qt::Edges AEdges)
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
