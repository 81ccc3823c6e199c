// The grips of the caption-less window's own sizing border: a press takes the side or corner it is on.
#include "mainwindow/frame/sizing_frame.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(SizingFrame, APressGrabsTheSideOrCornerItIsOn)
{
    const QSize size(400, 300);
    struct TCase
    {
        QPoint Pos;
        Qt::Edges Expected;
        Qt::CursorShape Cursor;
    };
    const TCase cases[] = {
        {{200, 150}, {}, Qt::ArrowCursor},                                 // inside
        {{4, 150}, {}, Qt::ArrowCursor},                                   // just inside the border
        {{3, 150}, Qt::LeftEdge, Qt::SizeHorCursor},                       // on the left side
        {{396, 150}, Qt::RightEdge, Qt::SizeHorCursor},                    // on the right side
        {{200, 0}, Qt::TopEdge, Qt::SizeVerCursor},                        // on the top
        {{200, 299}, Qt::BottomEdge, Qt::SizeVerCursor},                   // on the bottom
        {{0, 0}, Qt::LeftEdge | Qt::TopEdge, Qt::SizeFDiagCursor},         // top-left corner
        {{398, 298}, Qt::RightEdge | Qt::BottomEdge, Qt::SizeFDiagCursor}, // bottom-right corner
        {{385, 298}, Qt::RightEdge | Qt::BottomEdge, Qt::SizeFDiagCursor}, // along the bottom, near the corner
        {{383, 298}, Qt::BottomEdge, Qt::SizeVerCursor},                   // past the corner's grip
        {{1, 290}, Qt::LeftEdge | Qt::BottomEdge, Qt::SizeBDiagCursor},    // bottom-left corner
        {{399, 10}, Qt::RightEdge | Qt::TopEdge, Qt::SizeBDiagCursor},     // top-right corner
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(c.Expected, TSizingFrame::Edges(c.Pos, size, 4)) << c.Pos.x() << "," << c.Pos.y();
        EXPECT_EQ(c.Cursor, TSizingFrame::Cursor(TSizingFrame::Edges(c.Pos, size, 4))) << c.Pos.x() << "," << c.Pos.y();
    }
}

} // namespace
} // namespace qn
