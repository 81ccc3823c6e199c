// Moving a window: WindowSnapper (which edges a moved window is put onto, and the window doing it over
// the desktop seam).
#include "mainwindow/frame/window_snapper.h"
#include "mainwindow/main_window_fixture.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(WindowSnapper, EdgesWithinTheBufferSnapAndOthersStay)
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
        EXPECT_EQ(c.Expected, TWindowSnapper::SnappedPosition(c.Frame, area, 10)) << c.Frame.x() << "," << c.Frame.y();
    EXPECT_EQ(QPoint(4, 4), TWindowSnapper::SnappedPosition({4, 4, 10, 10}, QRect(), 10)) << "no work area known";
}

class WindowSnapperWindow : public test::TMainWindowFixture
{
};

TEST_F(WindowSnapperWindow, TheWindowGoesOntoTheWorkAreaEdgeItWasMovedNear)
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
