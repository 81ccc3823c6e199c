// Moving and sizing a window: ScreenSnap (which edges a moved window is put onto, and the window
// doing it over the desktop seam) and the grips of the caption-less window's own sizing border.
#include "mainwindow/main_window_fixture.h"
#include "mainwindow/screen_snap.h"
#include "mainwindow/sizing_border.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(ScreenSnap, EdgesWithinTheBufferSnapAndOthersStay)
{
    const QRect area(0, 30, 1000, 700); // a panel above: the work area starts at y 30
    struct TCase
    {
        QRect Frame;
        QPoint Expected;
    };
    const TCase cases[] = {
        {{100, 200, 300, 200}, {100, 200}}, // far from every edge
        {{10, 200, 300, 200}, {0, 200}},    // 10 pixels from the left: snaps
        {{11, 200, 300, 200}, {11, 200}},   // 11 pixels: stays
        {{-8, 38, 300, 200}, {0, 30}},      // over the left edge and near the top (under the panel)
        {{695, 525, 300, 200}, {700, 530}}, // near the right and bottom edges
        {{708, 200, 300, 200}, {700, 200}}, // over the right edge by 8
        {{5, 100, 1002, 200}, {0, 100}},    // wider than the area: the left edge wins
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Expected, SnappedPosition(c.Frame, area, 10)) << c.Frame.x() << "," << c.Frame.y();
    EXPECT_EQ(QPoint(4, 4), SnappedPosition({4, 4, 10, 10}, QRect(), 10)) << "no work area known";
}

TEST(SizingBorder, APressGrabsTheSideOrCornerItIsOn)
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
        EXPECT_EQ(c.Expected, SizingEdges(c.Pos, size, 4)) << c.Pos.x() << "," << c.Pos.y();
        EXPECT_EQ(c.Cursor, SizingCursor(SizingEdges(c.Pos, size, 4))) << c.Pos.x() << "," << c.Pos.y();
    }
}

class ScreenSnapWindow : public test::TMainWindowFixture
{
};

TEST_F(ScreenSnapWindow, TheWindowGoesOntoTheWorkAreaEdgeItWasMovedNear)
{
    Twnd_qn_Main& w = Start();
    const QSize outer = w.frameGeometry().size();
    w.move(test::WorkArea.right() + 1 - outer.width() + 7, 300);
    w.SnapToWorkArea();
    EXPECT_EQ(QPoint(test::WorkArea.right() + 1 - outer.width(), 300), w.frameGeometry().topLeft());
    w.move(200, 300);
    w.SnapToWorkArea();
    EXPECT_EQ(QPoint(200, 300), w.frameGeometry().topLeft());
}

} // namespace
} // namespace qn
