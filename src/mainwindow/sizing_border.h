// The sizing border of a window that has no frame from the window manager.
#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

namespace qn {

// The edges of a window of ASize that a press at APos (window coordinates) grabs when the window
// has a sizing border ABorder pixels wide: none inside the border, one along a side, two at a
// corner, where the grip reaches 4 × ABorder along each side so that it can be hit.
Qt::Edges SizingEdges(const QPoint& APos, const QSize& ASize, int ABorder);

// The cursor that shows what a press on AEdges does.
Qt::CursorShape SizingCursor(Qt::Edges AEdges);

} // namespace qn
