// Snapping a window to the edges of its work area when it is moved near them.
#pragma once

#include <QPoint>
#include <QRect>

namespace qn {

// The place for a window whose outer rectangle is AFrame after a move: an edge that ends within
// ABuffer pixels of the same edge of AWorkArea (inside or outside) goes onto it; the left and top
// edges win over the right and bottom ones. The size never changes.
QPoint SnappedPosition(const QRect& AFrame, const QRect& AWorkArea, int ABuffer);

} // namespace qn
