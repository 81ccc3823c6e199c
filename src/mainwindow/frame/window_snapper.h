// TWindowSnapper: puts a window that the window system moved onto the work area's edges it ends near.
#pragma once

#include <QPoint>
#include <QRect>

class QTimer;
class QWidget;

namespace qn {

// The window manager moves the window and only its result is seen here: a move snaps once it has
// rested a moment. The program's own moves are where it wants the window and never snap. The timer
// is a child of the window, which must outlive this object.
class TWindowSnapper
{
public:
    explicit TWindowSnapper(QWidget* AWindow);

    // The window moved; ASpontaneous says the window system moved it.
    void Moved(bool ASpontaneous);
    // An edge that ends within 10 pixels of its work area's edge goes onto it (not while the
    // window is hidden, minimised, maximised or full screen).
    void Snap();

    // The place for a window whose outer rectangle is AFrame after a move: an edge that ends within
    // ABuffer pixels of the same edge of AWorkArea (inside or outside) goes onto it; the left and top
    // edges win over the right and bottom ones. The size never changes.
    static QPoint SnappedPosition(const QRect& AFrame, const QRect& AWorkArea, int ABuffer);

private:
    QWidget* FWindow;
    QTimer* FTimer;
};

} // namespace qn
