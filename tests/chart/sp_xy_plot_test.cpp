// The chart control rendered offscreen: line pixels where V2P puts them, grids, labels, panning,
// and the searched visible run drawing the same picture as every segment.
#include "chart/sp_xy_plot.h"

#include "chart/thin_line_raster.h"

#include "support/pinned_format.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace qn {
namespace {

const QColor Background(0xF0, 0xF0, 0xF0);
const QColor Field(0, 0, 0);
const QColor Grid(0x46, 0x46, 0x46);
const QColor DownColor(0xA6, 0xCA, 0xF0);
const QColor UpColor(0x00, 0xFF, 0x00);
constexpr double Second = 1.0 / 86400.0;
constexpr double Noon = 45000.5;

// A plot set up as a watcher's: black field, grey grids, value axes 0..10, a five-minute window.
struct TWatcherLikePlot
{
    test::TPinnedFormat Pin;
    Tsp_XYPlot Plot;
    Tsp_XYLine* Down;
    Tsp_XYLine* Up;

    TWatcherLikePlot()
    {
        Plot.resize(480, 200);
        Plot.SetColor(Background);
        Plot.SetFieldColor(Field);
        Plot.SetBufferedDisplay(true);
        for (Tsp_Axis* axis : {&Plot.LeftAxis(), &Plot.RightAxis(), &Plot.BottomAxis(), &Plot.TopAxis()}) {
            axis->SetMargin(4);
            axis->SetLineAttr({0x000000, Tsp_PenStyle::Solid, 1, true});
        }
        Plot.LeftAxis().SetTicksCount(6);
        Plot.LeftAxis().SetGridAttr({0x464646, Tsp_PenStyle::Solid, 1, true});
        Plot.LeftAxis().SetMinMax(0, 10);
        Plot.RightAxis().SetFlags(sfVertical | sfOpposite);
        Plot.RightAxis().SetTicksCount(6);
        Plot.RightAxis().SetMinMax(0, 10);
        Plot.BottomAxis().SetFlags(sfLabelAsDateTime);
        Plot.BottomAxis().SetTicksCount(3);
        Plot.BottomAxis().SetLabelFormat("hh:mm:ss");
        Plot.BottomAxis().SetGridAttr({0x464646, Tsp_PenStyle::Solid, 1, true});
        Plot.BottomAxis().SetMinMax(Noon, Noon + 300 * Second);
        Down = &Plot.AddLine();
        Down->SetLineAttr({0xA6CAF0, Tsp_PenStyle::Solid, 1, true});
        Up = &Plot.AddLine();
        Up->SetLineAttr({0x00FF00, Tsp_PenStyle::Solid, 1, true});
    }

    QImage Render()
    {
        QImage image(Plot.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        Plot.render(&image);
        return image;
    }
};

void Save(const QImage& AImage, const char* AName)
{
    AImage.save(QString(QN_TEST_ARTIFACT_DIR) + "/" + AName + ".png");
}

QColor At(const QImage& AImage, int AX, int AY)
{
    return QColor(AImage.pixel(AX, AY));
}

// Every segment of both series on its own, clipped to the field, as the plot draws thin lines.
void DrawEverySegment(QImage& AImage, TWatcherLikePlot& APlot)
{
    const QRect f = APlot.Plot.FieldRect();
    const TPixelClip clip{f.left(), f.top(), f.right(), f.bottom()};
    auto* bits = reinterpret_cast<std::uint32_t*>(AImage.bits());
    for (Tsp_XYLine* line : {APlot.Down, APlot.Up}) {
        const std::uint32_t color = Tsp_MakePen(line->LineAttr()).color().rgba();
        const Tsp_Axis& x = APlot.Plot.BottomAxis();
        const Tsp_Axis& y = APlot.Plot.LeftAxis();
        for (int i = 1; i < line->Count(); ++i) {
            const TThinSegment segment{x.V2P(line->X(i - 1)), y.V2P(line->Y(i - 1)), x.V2P(line->X(i)),
                                       y.V2P(line->Y(i))};
            RasterizeThinLines(bits, AImage.bytesPerLine() / 4, clip, &segment, 1, color);
        }
    }
}

TEST(XYPlotRender, LinesGridsAndLabelsAreWhereTheAxesPutThem)
{
    TWatcherLikePlot p;
    // Download a flat 5, upload a ramp from 0 to 10 over the window.
    for (int s = 0; s <= 300; ++s) {
        p.Down->AddXY(Noon + s * Second, 5.0);
        p.Up->AddXY(Noon + s * Second, s / 30.0);
    }
    const QImage image = p.Render();
    Save(image, "chart_lines_grids_labels");
    const QRect field = p.Plot.FieldRect();
    ASSERT_GT(field.width(), 300);
    ASSERT_GT(field.height(), 100);
    const Tsp_Axis& left = p.Plot.LeftAxis();
    const Tsp_Axis& bottom = p.Plot.BottomAxis();

    // The flat line at V2P(5), on a row that no grid line uses.
    const int y5 = left.V2P(5.0);
    for (int x = field.left() + 5; x < field.right() - 5; x += 37) {
        if (std::abs(x - bottom.V2P(Noon + 150 * Second)) > 3) { // away from the ramp crossing
            EXPECT_EQ(At(image, x, y5), DownColor) << "x " << x;
        }
    }
    EXPECT_EQ(At(image, field.left() + 10, y5 - 3), Field);

    // The ramp at the pixels of its points as the series keeps them: s / 30 at 15 pixels a unit
    // falls on half pixels at odd s, where the float a value is kept as decides the rounding.
    for (int s : {20, 100, 250}) {
        const int x = bottom.V2P(Noon + s * Second), y = left.V2P(p.Up->Y(s));
        EXPECT_EQ(At(image, x, y), UpColor) << "second " << s;
    }

    // Grid rows of the value ticks 2, 4, 6, 8 and columns of the time ticks.
    for (int i = 1; i < left.TickCount() - 1; ++i)
        EXPECT_EQ(At(image, field.left() + 3, left.TickPosition(i)), Grid) << "value tick " << i;
    for (int i = 0; i < bottom.TickCount(); ++i) {
        const int x = bottom.TickPosition(i);
        if (x >= field.left() && x <= field.right()) {
            EXPECT_EQ(At(image, x, field.top() + 4), Grid) << "time tick " << i;
        }
    }

    // Axis lines just outside the field, labels in the surroundings next to every tick.
    EXPECT_EQ(At(image, field.left() - 1, field.center().y()), QColor(Qt::black));
    EXPECT_EQ(At(image, field.center().x(), field.bottom() + 1), QColor(Qt::black));
    auto inkIn = [&](QRect ABox) {
        ABox = ABox.intersected(image.rect());
        for (int y = ABox.top(); y <= ABox.bottom(); ++y)
            for (int x = ABox.left(); x <= ABox.right(); ++x)
                if (At(image, x, y) != Background)
                    return true;
        return false;
    };
    for (int i = 0; i < left.TickCount(); ++i) {
        const int y = left.TickPosition(i);
        EXPECT_TRUE(inkIn(QRect(0, y - 4, field.left() - 8, 9))) << "left label " << i;
    }
    for (int i = 0; i < bottom.TickCount(); ++i) {
        const int x = bottom.TickPosition(i);
        EXPECT_TRUE(inkIn(QRect(x - 10, field.bottom() + 8, 21, 10))) << "time label " << i;
    }
    // The right axis carries labels on its outer side; the top axis only its line.
    EXPECT_TRUE(inkIn(QRect(field.right() + 8, left.TickPosition(3) - 4, 20, 9)));
    EXPECT_FALSE(inkIn(QRect(field.left() + 20, 0, field.width() - 40, field.top() - 2)));
}

// Every segment of both series that does not start a run: not one whose x goes back, nor one whose
// end is among ABreaks.
void DrawEverySegmentWithin(QImage& AImage, TWatcherLikePlot& APlot, const std::vector<int>& ABreaks)
{
    const QRect f = APlot.Plot.FieldRect();
    const TPixelClip clip{f.left(), f.top(), f.right(), f.bottom()};
    auto* bits = reinterpret_cast<std::uint32_t*>(AImage.bits());
    for (Tsp_XYLine* line : {APlot.Down, APlot.Up}) {
        const std::uint32_t color = Tsp_MakePen(line->LineAttr()).color().rgba();
        const Tsp_Axis& x = APlot.Plot.BottomAxis();
        const Tsp_Axis& y = APlot.Plot.LeftAxis();
        for (int i = 1; i < line->Count(); ++i) {
            if (line->X(i) < line->X(i - 1) || std::find(ABreaks.begin(), ABreaks.end(), i) != ABreaks.end())
                continue;
            const TThinSegment segment{x.V2P(line->X(i - 1)), y.V2P(line->Y(i - 1)), x.V2P(line->X(i)),
                                       y.V2P(line->Y(i))};
            RasterizeThinLines(bits, AImage.bytesPerLine() / 4, clip, &segment, 1, color);
        }
    }
}

TEST(XYPlotRender, AClockThatJumpsLeavesGapsAndEachRunIsSearchedLikeAWholeDay)
{
    TWatcherLikePlot p;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> rate(1.0, 9.0);
    // A day of points whose clock is set back an hour three times and jumps two minutes ahead once
    // (marked as a break).
    std::vector<int> breaks;
    double x = Noon - 3600 * Second;
    for (int s = 0; s < 86400; ++s) {
        if (s == 20000 || s == 50000 || s == 80000)
            x -= 3600 * Second;
        if (s == 86250) {
            x += 120 * Second;
            p.Down->BreakLine();
            p.Up->BreakLine();
            breaks.push_back(s);
        }
        p.Down->AddXY(x, rate(random));
        p.Up->AddXY(x, rate(random) / 2);
        x += Second;
    }
    EXPECT_FALSE(p.Down->XAscending());
    EXPECT_EQ(p.Down->RunCount(), 5);
    Tsp_Axis& bottom = p.Plot.BottomAxis();
    const auto matchesEverySegment = [&](const char* AName) {
        p.Down->Active = p.Up->Active = true;
        p.Plot.Invalidate();
        const QImage drawn = p.Render();
        Save(drawn, AName);
        p.Down->Active = p.Up->Active = false;
        p.Plot.Invalidate();
        QImage reference = p.Render();
        DrawEverySegmentWithin(reference, p, breaks);
        EXPECT_TRUE(drawn == reference) << AName;
        return drawn;
    };

    // Five minutes where the hour after a step back lies over the hour before it.
    bottom.SetMinMax(p.Down->X(80000) - 100 * Second, p.Down->X(80000) + 200 * Second);
    matchesEverySegment("chart_clock_step_back");

    // Five minutes around the jump ahead: the two minutes it skipped hold no line at all.
    const double jumpStart = p.Down->X(86249), jumpEnd = p.Down->X(86250);
    bottom.SetMinMax(jumpStart - 90 * Second, jumpStart + 210 * Second);
    const QImage drawn = matchesEverySegment("chart_clock_jump");
    int lit = 0;
    for (int px = bottom.V2P(jumpStart) + 2; px < bottom.V2P(jumpEnd) - 1; ++px)
        for (int py = p.Plot.FieldRect().top(); py <= p.Plot.FieldRect().bottom(); ++py)
            lit += At(drawn, px, py) == DownColor || At(drawn, px, py) == UpColor;
    EXPECT_GT(bottom.V2P(jumpEnd) - bottom.V2P(jumpStart), 50);
    EXPECT_EQ(lit, 0);

    // Trimmed past the steps back, the series is one ascending run again.
    for (int i = 0; i < 80000; ++i) {
        p.Down->Delete(0);
        p.Up->Delete(0);
    }
    EXPECT_TRUE(p.Down->XAscending());
    EXPECT_EQ(p.Down->RunCount(), 2);

    // A lone point (here set back into the gap) is a dot of its own.
    p.Down->AddXY(jumpStart + 60 * Second, 5);
    p.Down->Active = p.Up->Active = true;
    p.Plot.Invalidate();
    const QImage dot = p.Render();
    EXPECT_EQ(At(dot, bottom.V2P(jumpStart + 60 * Second), p.Plot.LeftAxis().V2P(5)), DownColor);
}

TEST(XYPlotRender, AThousandStepsBackDrawTheSamePictureAsEverySegmentOfEachRun)
{
    TWatcherLikePlot p;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> rate(1.0, 9.0);
    std::uniform_int_distribution<int> back(2, 400);
    // A clock pulled back by a few seconds to minutes at every 80th point: runs of every reach
    // overlap the window, and the groups that hold them are skipped or searched.
    double x = Noon - 40000 * Second;
    for (int s = 0; s < 86400; ++s) {
        if (s % 80 == 79)
            x -= back(random) * Second;
        p.Down->AddXY(x, rate(random));
        p.Up->AddXY(x, rate(random) / 2);
        x += Second;
    }
    ASSERT_GT(p.Down->RunCount(), 1000);
    for (int i = 0; i < 3000; ++i) { // trimmed, as the watcher does, past some groups' first runs
        p.Down->Delete(0);
        p.Up->Delete(0);
    }
    p.Down->Delete(40000); // and one from the middle
    p.Up->Delete(40000);
    Tsp_Axis& bottom = p.Plot.BottomAxis();
    for (double start : {p.Down->X(0), p.Down->X(30000), p.Down->X(p.Down->Count() - 100)}) {
        bottom.SetMinMax(start - 60 * Second, start + 240 * Second);
        p.Down->Active = p.Up->Active = true;
        p.Plot.Invalidate();
        const QImage drawn = p.Render();
        p.Down->Active = p.Up->Active = false;
        p.Plot.Invalidate();
        QImage reference = p.Render();
        DrawEverySegmentWithin(reference, p, {});
        EXPECT_TRUE(drawn == reference) << "window at " << (start - Noon) / Second << " s";
        int lit = 0;
        for (int px = p.Plot.FieldRect().left(); px <= p.Plot.FieldRect().right(); ++px)
            for (int py = p.Plot.FieldRect().top(); py <= p.Plot.FieldRect().bottom(); ++py)
                lit += At(drawn, px, py) == DownColor;
        EXPECT_GT(lit, 1000);
    }
}

TEST(XYPlotRender, TheSearchedVisibleRunDrawsTheSamePictureAsEverySegment)
{
    TWatcherLikePlot p;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spike(0.0, 14.0); // some beyond the axis maximum
    // A day of spiky points with flat stretches (an idle link's zeros, a constant rate, one beyond
    // the maximum), which are drawn as single long segments; the window shows five minutes in the
    // middle of it.
    const double start = Noon - 43200 * Second;
    auto value = [&](int ASecond) {
        const int phase = ASecond % 600;
        if (phase >= 150 && phase < 250)
            return 0.0;
        if (phase >= 250 && phase < 280)
            return 12.0;
        if (phase >= 280 && phase < 300)
            return 3.0;
        return spike(random);
    };
    for (int s = 0; s < 86400; ++s) {
        p.Down->AddXY(start + s * Second, value(s));
        p.Up->AddXY(start + s * Second + 0.4 * Second, value(s) / 2);
    }
    p.Plot.LeftAxis().SetMinMax(0, 10);
    const QImage searched = p.Render();
    Save(searched, "chart_visible_run");

    // The reference: everything but the series, then every segment of both series by hand.
    p.Down->Active = false;
    p.Up->Active = false;
    p.Plot.Invalidate();
    QImage reference = p.Render();
    DrawEverySegment(reference, p);
    Save(reference, "chart_every_segment");
    EXPECT_TRUE(searched == reference);

    // Panned to the very start and past the end, the edges still match.
    for (double shift : {-43050 * Second, 43350 * Second}) {
        p.Plot.BottomAxis().MoveMinMax(shift);
        p.Down->Active = p.Up->Active = true;
        p.Plot.Invalidate();
        const QImage moved = p.Render();
        p.Down->Active = p.Up->Active = false;
        p.Plot.Invalidate();
        QImage expected = p.Render();
        DrawEverySegment(expected, p);
        EXPECT_TRUE(moved == expected) << "shift " << shift / Second << " s";
    }
}

TEST(XYPlotRender, ThinLinesLightThePaintersPixelsGiveOrTakeOne)
{
    // The plot writes thin lines into its buffer itself; they must look like the painter's. (Where
    // a line leaves the field the two may round it to neighbouring pixels, one of them outside.)
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(1, 78);
    QImage mine(80, 80, QImage::Format_RGB32), painters(80, 80, QImage::Format_RGB32);
    const TPixelClip clip{0, 0, 79, 79};
    for (int i = 0; i < 200; ++i) {
        const TThinSegment s{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        mine.fill(Qt::black);
        painters.fill(Qt::black);
        RasterizeThinLines(reinterpret_cast<std::uint32_t*>(mine.bits()), mine.bytesPerLine() / 4, clip, &s, 1,
                           0xFFFFFFFFu);
        {
            QPainter painter(&painters);
            painter.setPen(Tsp_MakePen({0xFFFFFF, Tsp_PenStyle::Solid, 1, true}));
            painter.drawLine(s.X0, s.Y0, s.X1, s.Y1);
        }
        auto near = [](const QImage& AImage, int AX, int AY) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (AImage.rect().contains(AX + dx, AY + dy) &&
                        AImage.pixel(AX + dx, AY + dy) == qRgb(255, 255, 255))
                        return true;
            return false;
        };
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                if (mine.pixel(x, y) == qRgb(255, 255, 255)) {
                    ASSERT_TRUE(near(painters, x, y)) << "extra pixel " << x << "," << y << " segment " << i;
                }
                if (painters.pixel(x, y) == qRgb(255, 255, 255)) {
                    ASSERT_TRUE(near(mine, x, y)) << "missing pixel " << x << "," << y << " segment " << i;
                }
            }
    }
}

TEST(XYPlotRender, ASeriesWhollyOutsideTheRangesDrawsNothing)
{
    TWatcherLikePlot p;
    p.Plot.BottomAxis().SetMinMax(0, 10);
    p.Down->AddXY(1, 10.2); // above the maximum, though it would round onto the top row
    p.Down->AddXY(9, 10.2);
    const QImage image = p.Render();
    const QRect field = p.Plot.FieldRect();
    for (int x = field.left(); x <= field.right(); ++x)
        ASSERT_NE(At(image, x, field.top()), DownColor) << x;
}

void SendMouse(QWidget& AWidget, QEvent::Type AType, QPoint APos, Qt::MouseButton AButton,
               Qt::KeyboardModifiers AModifiers)
{
    const Qt::MouseButtons buttons =
        AType == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(AType, APos, AWidget.mapToGlobal(APos), AButton, buttons, AModifiers);
    QApplication::sendEvent(&AWidget, &event);
}

TEST(XYPlotPan, DraggingWithExactlyCtrlPansBothAxesAgainstThePointer)
{
    TWatcherLikePlot p;
    p.Plot.show();
    p.Render();
    const double min = p.Plot.BottomAxis().Min();
    const double perPixel = 300 * Second / p.Plot.FieldRect().width();

    // Ctrl with Shift is not exactly Ctrl: nothing moves.
    SendMouse(p.Plot, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    SendMouse(p.Plot, QEvent::MouseMove, {210, 100}, Qt::NoButton, Qt::ControlModifier | Qt::ShiftModifier);
    SendMouse(p.Plot, QEvent::MouseButtonRelease, {210, 100}, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(p.Plot.BottomAxis().Min(), min);

    SendMouse(p.Plot, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(p.Plot.cursor().shape(), Qt::PointingHandCursor);
    SendMouse(p.Plot, QEvent::MouseMove, {210, 120}, Qt::NoButton, Qt::ControlModifier);
    SendMouse(p.Plot, QEvent::MouseButtonRelease, {210, 120}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NEAR((p.Plot.BottomAxis().Min() - min) / perPixel, -10.0, 1e-6);
    EXPECT_GT(p.Plot.LeftAxis().Min(), 0.0); // dragged down: the values move up
    EXPECT_NE(p.Plot.cursor().shape(), Qt::PointingHandCursor);

    // With panning off nothing moves.
    p.Plot.SetPan(Tsp_XYPlot::zpdNone);
    const double now = p.Plot.BottomAxis().Min();
    SendMouse(p.Plot, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(p.Plot, QEvent::MouseMove, {250, 100}, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(p.Plot.BottomAxis().Min(), now);
}

TEST(XYPlotLayout, AFreshPlotHasTheDocumentedAxesAndASaneField)
{
    Tsp_XYPlot plot;
    EXPECT_EQ(plot.LeftAxis().Flags(), 1u);
    EXPECT_EQ(plot.RightAxis().Flags(), 57u);
    EXPECT_EQ(plot.BottomAxis().Flags(), 0u);
    EXPECT_EQ(plot.TopAxis().Flags(), 56u);
    EXPECT_TRUE(plot.LeftAxis().GridAttr().Visible);
    EXPECT_TRUE(plot.BottomAxis().GridAttr().Visible);
    EXPECT_FALSE(plot.RightAxis().GridAttr().Visible);
    EXPECT_EQ(plot.Pan(), Tsp_XYPlot::zpdBoth);
    EXPECT_EQ(plot.PanShiftKeys(), Qt::ControlModifier);

    plot.resize(10, 8); // smaller than the bands: the field stays at least 3 x 3
    const QRect tiny = plot.FieldRect();
    EXPECT_GE(tiny.width(), 3);
    EXPECT_GE(tiny.height(), 3);
    QImage image(plot.size(), QImage::Format_RGB32);
    plot.render(&image);

    plot.resize(400, 300);
    const QRect field = plot.FieldRect();
    // The left band holds the widest label ("10") and the 5-pixel gap; the margin is 4 by default.
    const QFontMetrics fm(plot.font());
    EXPECT_GE(field.left(), 2 * fm.horizontalAdvance('0') + 5 + 1 + 4);
    EXPECT_EQ(plot.LeftAxis().Origin().X, field.left() - 1);
    EXPECT_EQ(plot.BottomAxis().Origin().Y, field.top() + field.height());
    EXPECT_EQ(plot.LeftAxis().Length(), field.height());
}

TEST(XYPlotRender, APackedDayDrawsTheSamePictureAsExactStorage)
{
    // A day of a link's traffic as the watcher stamps it (a one-second timer a little late each
    // time, the wall clock to the nanosecond), idle stretches, a background trickle and bursts;
    // the same points once packed (y as floats) and once kept exactly, panned through the day
    // with the value axis at each window's peak, as the watcher scales it.
    TWatcherLikePlot packed, exact;
    exact.Down->SetExactValues(true);
    exact.Up->SetExactValues(true);
    std::mt19937_64 random(5);
    std::uniform_int_distribution<std::int64_t> latency(0, 4000000);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::int64_t start = 1733652000LL * 1000000000LL; // seconds and nanoseconds since 1970
    auto stamp = [](std::int64_t ANs) {
        return 25569.0 +
               (static_cast<double>(ANs / 1000000000) + static_cast<double>(ANs % 1000000000) / 1e9) / 86400.0;
    };
    constexpr int Day = 86400;
    std::vector<double> xs, downs, ups;
    double burst = 0;
    for (int s = 0; s < Day; ++s) {
        const double x = stamp(start + s * 1000000000LL + latency(random));
        if (unit(random) < 0.002)
            burst = 200 + 50000 * unit(random) * unit(random); // KiB/s
        burst *= 0.97;
        const bool idle = (s / 3600) % 5 == 4;
        const double trickle = idle ? 0 : unit(random) * unit(random) * 3;
        const double down = idle && burst < 1 ? 0 : trickle + burst * (0.8 + 0.4 * unit(random));
        const double up = idle && burst < 1 ? 0 : trickle / 4 + burst * 0.05 * unit(random);
        xs.push_back(x);
        downs.push_back(down);
        ups.push_back(up);
        for (TWatcherLikePlot* p : {&packed, &exact}) {
            p->Down->AddXY(x, down);
            p->Up->AddXY(x, up);
        }
    }
    int windows = 0, different = 0;
    for (double from = xs.front() - 150 * Second; from < xs.back(); from += 293 * Second, ++windows) {
        double peak = 10;
        for (std::size_t i = 0; i < xs.size(); ++i)
            if (xs[i] >= from && xs[i] <= from + 300 * Second)
                peak = std::max({peak, downs[i], ups[i]});
        for (TWatcherLikePlot* p : {&packed, &exact}) {
            p->Plot.BottomAxis().SetMinMax(from, from + 300 * Second);
            p->Plot.LeftAxis().SetMinMax(0, peak);
            p->Plot.RightAxis().SetMinMax(0, peak);
        }
        const QImage a = packed.Render();
        const QImage b = exact.Render();
        if (a != b) {
            if (different++ == 0) {
                Save(a, "chart_packed_day_differs_packed");
                Save(b, "chart_packed_day_differs_exact");
            }
        }
    }
    EXPECT_GT(windows, 290);
    EXPECT_EQ(different, 0);
    // The packed day takes under 7 bytes a point (two doubles took 16).
    EXPECT_LT(packed.Down->StorageBytes(), 7u * Day);
}

// The kept picture after each change next to the whole picture drawn afresh, pixel for pixel.
struct TKeptPictureCheck
{
    TWatcherLikePlot& P;
    int Checks = 0;
    int Moved = 0; // paints that moved the kept field instead of drawing it whole
    int Differing = 0;

    void Check(const char* AWhat, int AStep)
    {
        const int whole = P.Plot.WholeFieldPaints();
        const QImage kept = P.Render();
        Moved += P.Plot.WholeFieldPaints() == whole ? 1 : 0;
        P.Plot.Invalidate();
        const QImage fresh = P.Render();
        ++Checks;
        if (kept == fresh)
            return;
        if (Differing++ == 0) {
            Save(kept, "chart_kept_picture_differs_kept");
            Save(fresh, "chart_kept_picture_differs_fresh");
            for (int y = 0; y < kept.height(); ++y)
                for (int x = 0; x < kept.width(); ++x)
                    if (kept.pixel(x, y) != fresh.pixel(x, y)) {
                        ADD_FAILURE() << AWhat << " at step " << AStep << ": first pixel off at " << x << ", " << y
                                      << " in field " << P.Plot.FieldRect().x() << ", " << P.Plot.FieldRect().y() << " "
                                      << P.Plot.FieldRect().width() << " x " << P.Plot.FieldRect().height();
                        return;
                    }
        }
    }

    // Renders with what the plot kept and checks that the field was moved, not drawn whole.
    void CheckMoved(const char* AWhat)
    {
        const int moved = Moved;
        Check(AWhat, 0);
        EXPECT_EQ(Moved, moved + 1) << AWhat;
    }
    // The same for a change that must draw the whole field.
    void CheckWhole(const char* AWhat)
    {
        const int moved = Moved;
        Check(AWhat, 0);
        EXPECT_EQ(Moved, moved) << AWhat;
    }
};

// A tick as the watcher makes it: the newest point of both series, the window scrolled a second
// once the point passes its end, and the oldest points trimmed down to ALimit.
void Tick(TWatcherLikePlot& APlot, double AX, std::mt19937& ARandom, int ALimit)
{
    std::uniform_real_distribution<double> value(0.0, APlot.Plot.LeftAxis().Max());
    APlot.Down->AddXY(AX, value(ARandom));
    APlot.Up->AddXY(AX, value(ARandom) / 3);
    if (AX > APlot.Plot.BottomAxis().Max())
        APlot.Plot.BottomAxis().MoveMinMax(Second);
    while (APlot.Down->Count() > ALimit) {
        APlot.Down->Delete(0);
        APlot.Up->Delete(0);
    }
}

TEST(XYPlotKeptPicture, ScrollingASecondAtATimeDrawsWhatAWholePaintDraws)
{
    // Two widths: a second is 1.4 pixels on one and 0.75 on the other, never a whole number, so the
    // picture moves by 1 or 2 pixels, or by none while the window still scrolls under a pixel.
    // The window fills, scrolls with its grid lines and labels, shows gaps, lone points, a step
    // back of the clock and the oldest point trimmed within it, and draws only the new columns.
    for (int width : {480, 290}) {
        TWatcherLikePlot p;
        p.Plot.resize(width, 200);
        const double perSecond = p.Plot.FieldRect().width() / 300.0;
        ASSERT_NE(perSecond, std::floor(perSecond));
        TKeptPictureCheck check{p};
        int surroundings = 0, scrolls = 0, wholeBands = 0;
        std::mt19937 random(static_cast<unsigned>(width));
        std::uniform_int_distribution<int> late(0, 40); // the timer a few milliseconds late
        double x = Noon;
        for (int step = 0; step < 760; ++step) {
            if (step == 400 || step == 403 || step == 404) { // a gap, a lone point, another gap
                p.Down->BreakLine();
                p.Up->BreakLine();
                x += 15 * Second;
            }
            if (step == 600) // the clock set back a little
                x -= 40 * Second;
            // Trimmed at 250 points from step 700, inside the five-minute window.
            const double max = p.Plot.BottomAxis().Max();
            const int before = p.Plot.WholeSurroundingPaints();
            const int bandsBefore = p.Plot.WholeBandPaints();
            Tick(p, x + late(random) * 1e-3 * Second, random, step < 700 ? 100000 : 250);
            x += Second;
            check.Check("a tick", step);
            // A scroll draws only the time axis's band of the surroundings while the layout stands
            // (the check's own whole paint is not counted).
            if (p.Plot.BottomAxis().Max() != max) {
                ++scrolls;
                surroundings += p.Plot.WholeSurroundingPaints() - before - 1;
                wholeBands += p.Plot.WholeBandPaints() - bandsBefore;
            }
        }
        EXPECT_EQ(check.Differing, 0) << width;
        EXPECT_GT(check.Moved, check.Checks * 9 / 10) << width;
        EXPECT_GT(scrolls, 400) << width;
        // The others: a time label near an end of the axis moves the margins, and so the field (5 and
        // 13 % of the scrolls at these widths).
        EXPECT_LT(surroundings, scrolls / 5) << width;
        // The time axis's band moves with the field, its labels and marks with it; it is drawn whole
        // only after a step back of the clock.
        EXPECT_LT(wholeBands, scrolls / 20) << width;
    }
}

TEST(XYPlotKeptPicture, AFieldScrolledFarWithoutAWholePaintShowsWhatAWholePaintDraws)
{
    // The check above draws the field whole after every tick; here one plot keeps its picture for
    // many times the field's width of scrolling, its value labels wider than half a time label so
    // that no time label near an end moves the margins, and is compared each tick with a twin fed
    // the same points and drawn whole.
    // Then axis lines two and three pixels wide, which reach into the strips a scroll redraws, and
    // a right axis whose marks and labels point into the field, over the bottom axis's band.
    struct TCase
    {
        int Width, AxisWidth;
        bool Inward;
    };
    for (const auto& [width, axisWidth, inward] : {TCase{480, 1, false}, TCase{290, 1, false}, TCase{480, 2, false},
                                                   TCase{290, 3, false}, TCase{480, 1, true}}) {
        TWatcherLikePlot kept, whole;
        for (TWatcherLikePlot* p : {&kept, &whole}) {
            p->Plot.resize(width, 200);
            if (inward)
                p->Plot.RightAxis().SetFlags(sfVertical);
            // Each axis in its own colour, so that no line hides where another one ends.
            p->Plot.LeftAxis().SetLineAttr({0x800000, Tsp_PenStyle::Solid, axisWidth, true});
            p->Plot.RightAxis().SetLineAttr({0x008000, Tsp_PenStyle::Solid, axisWidth, true});
            p->Plot.BottomAxis().SetLineAttr({0x000000, Tsp_PenStyle::Solid, axisWidth, true});
            p->Plot.TopAxis().SetLineAttr({0x000080, Tsp_PenStyle::Solid, axisWidth, true});
            p->Plot.LeftAxis().SetMinMax(0, 1000000);
            p->Plot.RightAxis().SetMinMax(0, 1000000);
        }
        std::mt19937 keptRandom(7), wholeRandom(7);
        std::mt19937 timer(static_cast<unsigned>(width));
        std::uniform_int_distribution<int> late(0, 40);
        const int steps = 3 * 300 * 2; // six windows: the ring turns round four times at the least
        int differing = 0;
        double x = Noon;
        for (int step = 0; step < steps; ++step) {
            const double at = x + late(timer) * 1e-3 * Second;
            Tick(kept, at, keptRandom, 250);
            Tick(whole, at, wholeRandom, 250);
            x += Second;
            const QImage shown = kept.Render();
            whole.Plot.Invalidate();
            if (shown != whole.Render() && differing++ == 0)
                ADD_FAILURE() << "width " << width << ": first difference at step " << step;
        }
        EXPECT_EQ(differing, 0) << width;
        // Drawn whole only at the start: every later tick turned the kept field.
        EXPECT_LE(kept.Plot.WholeFieldPaints(), 2) << width;
    }
}

TEST(XYPlotKeptPicture, ChangesOtherThanAScrollDrawTheWholeField)
{
    TWatcherLikePlot p;
    p.Plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Plot));
    // Value labels as wide as half a time label: a time label near an end of the axis never
    // widens the margins, which would change the field.
    p.Plot.LeftAxis().SetMinMax(0, 1000);
    p.Plot.RightAxis().SetMinMax(0, 1000);
    TKeptPictureCheck check{p};
    std::mt19937 random(11);
    double x = Noon;
    auto ticks = [&](int ACount) {
        for (int i = 0; i < ACount; ++i, x += Second)
            Tick(p, x, random, 100000);
    };
    ticks(320);
    check.Check("warm-up", 0);
    ticks(3);
    check.CheckMoved("a scroll");

    p.Plot.LeftAxis().SetMax(2000); // the value axis rescaled to a new peak
    check.CheckWhole("a rescale");
    ticks(2);
    check.CheckMoved("a scroll after the rescale");

    // A clock that jumped: the window set around the new time.
    x += 3600 * Second;
    p.Down->BreakLine();
    p.Up->BreakLine();
    p.Plot.BottomAxis().SetMinMax(x - 300 * Second, x);
    ticks(2);
    check.CheckWhole("a re-anchored window");
    ticks(2);
    check.CheckMoved("a scroll after the jump");

    p.Plot.resize(p.Plot.width() - 7, p.Plot.height() + 3);
    check.CheckWhole("a resize");

    // Dragging with Ctrl pans both time axes and both value axes.
    SendMouse(p.Plot, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(p.Plot, QEvent::MouseMove, {211, 100}, Qt::NoButton, Qt::ControlModifier);
    SendMouse(p.Plot, QEvent::MouseButtonRelease, {211, 100}, Qt::LeftButton, Qt::ControlModifier);
    check.CheckWhole("a pan");

    // The double click's reset: both ranges set afresh.
    p.Plot.LeftAxis().SetMinMax(0, 1000);
    p.Plot.BottomAxis().SetMinMax(x, x + 300 * Second);
    check.CheckWhole("a reset");
    ticks(310);
    check.Check("a tick", 0);
    p.Plot.BottomAxis().MoveMinMax(400 * Second); // more than the window at once
    check.CheckWhole("a long scroll");
    p.Plot.BottomAxis().SetMinMax(x - 290 * Second, x + 10 * Second); // back to the points
    check.CheckWhole("a window set back");

    // Lines the kept picture cannot move: a dash pattern, a wide pen.
    p.Up->SetLineAttr({0x00FF00, Tsp_PenStyle::Dash, 1, true});
    check.CheckWhole("a dashed line");
    ticks(1);
    check.CheckWhole("a scroll with a dashed line");
    p.Up->SetLineAttr({0x00FF00, Tsp_PenStyle::Solid, 2, true});
    ticks(1);
    check.CheckWhole("a scroll with a wide line");
    p.Up->SetLineAttr({0x00FF00, Tsp_PenStyle::Solid, 1, true});
    ticks(1);
    check.Check("a tick", 0);
    ticks(1);
    check.CheckMoved("a scroll with plain lines again");

    // A line from hours before the window reaches in from far beyond the pixel clamp: moved, it
    // would bend, so the field is drawn whole while it shows.
    p.Down->BreakLine();
    p.Down->AddXY(x - 20000 * Second, 200);
    p.Down->AddXY(x + 2 * Second, 900);
    check.Check("a long line", 0);
    ticks(1);
    check.CheckWhole("a scroll with a long line");

    // A control smaller than its bands: the field sticks out of the picture and is drawn whole.
    p.Plot.resize(12, 10);
    check.Check("a tiny plot", 0);
    ticks(2);
    check.CheckWhole("a tiny plot scrolled");
    EXPECT_EQ(check.Differing, 0);
}

// Counts the paints of a widget and keeps what the last one covered.
struct TPaintCounter : QObject
{
    int Count = 0;
    QRegion Last;
    qint64 Area = 0; // of all paints
    bool eventFilter(QObject*, QEvent* AEvent) override
    {
        if (AEvent->type() == QEvent::Paint) {
            ++Count;
            Last = static_cast<QPaintEvent*>(AEvent)->region();
            for (const QRect& r : Last)
                Area += static_cast<qint64>(r.width()) * r.height();
        }
        return false;
    }
};

TEST(XYPlotKeptPicture, APointAddedBeforeTheWindowScrollsShowsOnlyItsColumns)
{
    TWatcherLikePlot p;
    TPaintCounter counter;
    p.Plot.installEventFilter(&counter);
    p.Plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Plot));
    std::mt19937 random(4);
    double x = Noon;
    for (int i = 0; i < 100; ++i, x += Second)
        Tick(p, x, random, 100000);
    QApplication::processEvents();
    const int before = counter.Count;
    Tick(p, x, random, 100000);
    QApplication::processEvents();
    ASSERT_EQ(counter.Count, before + 1);
    const QRect shown = counter.Last.boundingRect();
    const QRect field = p.Plot.FieldRect();
    EXPECT_TRUE(field.contains(shown));
    EXPECT_LE(shown.width(), 6);
    EXPECT_EQ(shown.height(), field.height());
    const int newest = p.Plot.BottomAxis().V2P(x);
    EXPECT_TRUE(shown.left() <= newest && newest <= shown.right());
}

TEST(XYPlotKeptPicture, AHiddenChartPaintsNothingAndShowsTheScrolledPictureWhenShown)
{
    TWatcherLikePlot p;
    TPaintCounter counter;
    int& paints = counter.Count;
    p.Plot.installEventFilter(&counter);
    p.Plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Plot));
    std::mt19937 random(2);
    double x = Noon;
    for (int i = 0; i < 320; ++i, x += Second)
        Tick(p, x, random, 100000);
    QApplication::processEvents();
    p.Plot.hide();
    const int shownPaints = paints;
    for (int i = 0; i < 60; ++i, x += Second) {
        Tick(p, x, random, 100000);
        QApplication::processEvents();
    }
    EXPECT_EQ(paints, shownPaints);
    p.Plot.show();
    TKeptPictureCheck check{p};
    check.CheckMoved("sixty ticks while hidden");
    EXPECT_EQ(check.Differing, 0);
}

// A chart whose lower part its parent cuts off (a panel scrolled half out of the window) costs its
// window one repaint a tick: its paint does not ask again for the part nobody sees, and that part is
// right when it comes into view.
TEST(XYPlotKeptPicture, AChartPartlyHiddenByItsParentPaintsOnceATickAndKeepsTheHiddenPart)
{
    QScrollArea frame; // before the plot: the plot leaves it before it goes
    frame.resize(500, 90);
    auto* box = new QWidget;
    box->resize(480, 220);
    frame.setWidget(box);
    TWatcherLikePlot p;
    p.Plot.setParent(box);
    p.Plot.move(0, 0);
    struct TRepaintCounter : QObject
    {
        int Repaints = 0;   // of the window
        int AskedAgain = 0; // by the chart while it painted
        bool eventFilter(QObject*, QEvent* AEvent) override
        {
            Repaints += AEvent->type() == QEvent::UpdateRequest ? 1 : 0;
            AskedAgain += AEvent->type() == QEvent::UpdateLater ? 1 : 0;
            return false;
        }
    } counter;
    frame.installEventFilter(&counter);
    p.Plot.installEventFilter(&counter);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    std::mt19937 random(5);
    double x = Noon;
    for (int i = 0; i < 320; ++i, x += Second) {
        Tick(p, x, random, 100000);
        QApplication::processEvents();
    }
    int scrolls = 0;
    for (int i = 0; i < 30; ++i, x += Second) {
        const int repaints = counter.Repaints, asked = counter.AskedAgain;
        const double max = p.Plot.BottomAxis().Max();
        Tick(p, x, random, 100000);
        QApplication::processEvents();
        QApplication::processEvents();
        scrolls += p.Plot.BottomAxis().Max() != max ? 1 : 0;
        EXPECT_EQ(counter.Repaints - repaints, 1) << "tick " << i;
        EXPECT_EQ(counter.AskedAgain - asked, 0) << "tick " << i;
    }
    EXPECT_EQ(scrolls, 30);
    frame.resize(500, 240);
    TKeptPictureCheck check{p};
    check.CheckMoved("the hidden part come into view");
    EXPECT_EQ(check.Differing, 0);
}

// What the window shows of a scrolling chart, as the display keeps it (a real display server when
// the suite runs this there), is what a whole paint draws: every part a tick changed was shown.
TEST(XYPlotKeptPicture, TheWindowShowsWhatAWholePaintDrawsAfterScrolls)
{
    TWatcherLikePlot p;
    p.Plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Plot));
    std::mt19937 random(9);
    double x = Noon;
    int scrolls = 0;
    for (int i = 0; i < 360; ++i, x += Second) {
        const double max = p.Plot.BottomAxis().Max();
        Tick(p, x, random, 100000);
        QApplication::processEvents();
        scrolls += p.Plot.BottomAxis().Max() != max ? 1 : 0;
    }
    EXPECT_GT(scrolls, 40);
    QGuiApplication::sync();
    const QImage shown = p.Plot.screen()->grabWindow(p.Plot.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    p.Plot.Invalidate();
    const QImage fresh = p.Render();
    ASSERT_EQ(shown.size(), fresh.size());
    if (shown != fresh) {
        Save(shown, "chart_window_differs_shown");
        Save(fresh, "chart_window_differs_fresh");
        ADD_FAILURE() << "the window shows another picture than a whole paint draws";
    }
}

} // namespace
} // namespace qn
