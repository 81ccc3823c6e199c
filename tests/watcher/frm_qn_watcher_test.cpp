// The watcher panel offscreen on a fake clock and scripted counters: what it shows after a known
// second, the read-outs' units, how the chart moves and comes back, the value hint, the
// session-totals question and the Properties button.
#include "watcher/frm_qn_watcher.h"

#include "chart/sp_xy_plot.h"
#include "watcher/gradient_bar.h"
#include "watcher/read_out_panel.h"

#include "support/fake_clock.h"
#include "support/pinned_format.h"
#include "support/scripted_counters.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace qn {
namespace {

const QColor SkyBlue(0xA6, 0xCA, 0xF0);

class WatcherPanel : public testing::Test
{
protected:
    test::TPinnedFormat Pin{"."};
    test::TFakeClock Clock;
    test::TScriptedCounters Counters{{10000000, 2000000, true}, Clock};
    Tfrm_qn_Watcher Frame{nullptr, &Counters, &Clock};

    WatcherPanel()
    {
        Frame.resize(475, 210);
        Frame.setFixedHeight(210);
        Frame.Adapter.IntfIdx = 7;
        Frame.Adapter.Name = "eth0";
        Frame.Initialize();
    }

    void Tick(std::uint64_t AIn, std::uint64_t AOut)
    {
        Clock.Ms += 1000;
        Counters.Value.InOctets += AIn;
        Counters.Value.OutOctets += AOut;
        Frame.TimerTimer();
    }

    QImage Render(const char* AName)
    {
        // Shown, so that every nested layout has placed its cells.
        Frame.show();
        QCoreApplication::processEvents();
        QImage image(Frame.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        Frame.render(&image);
        image.save(QString(QN_TEST_ARTIFACT_DIR) + "/watcher_panel_" + AName + ".png");
        return image;
    }

    static QColor At(const QImage& AImage, QWidget* AWidget, QPoint AOffset = {2, 2})
    {
        return QColor(AImage.pixel(AWidget->mapTo(AWidget->window(), AOffset)));
    }

    static QString Text(TReadOutPanel* APanel) { return APanel->Caption(); }
};

// What a user reads off the panel after one known second: each read-out shows its figure in full
// under its hint, the rows and columns share their colours, the direction colours are the lines',
// the chart gets the point, and the controls fit where they sit.
TEST_F(WatcherPanel, AfterOneSecondEveryReadOutShowsItsFigureBesideTheChartsPoint)
{
    Tick(0, 0);
    Tick(1536, 1000);
    const QImage image = Render("design");

    struct TCell
    {
        TReadOutPanel* Panel;
        const char* Figure;
        const char* Hint;
    };
    const TCell cells[] = {
        {Frame.lDL, "1.50 KB", "Current"},
        {Frame.lDLMax, "1.50 KB", "Max"},
        {Frame.lDLTotal, "9.54 MB", "Total transfer"},
        {Frame.lUL, "1000.00 B", "Current"},
        {Frame.lULMax, "1000.00 B", "Max"},
        {Frame.lULTotal, "1.91 MB", "Total transfer"},
        {Frame.lTDL, "1.50 KB", "Download"},
        {Frame.lTUL, "1000.00 B", "Upload"},
    };
    for (const TCell& cell : cells) {
        const std::string name = cell.Panel->objectName().toStdString();
        EXPECT_EQ(Text(cell.Panel), cell.Figure) << name;
        EXPECT_EQ(cell.Panel->toolTip(), cell.Hint) << name;
        EXPECT_LT(QFontMetrics(cell.Panel->font()).horizontalAdvance(Text(cell.Panel)), cell.Panel->width()) << name;
        EXPECT_EQ(At(image, cell.Panel, {1, 1}), cell.Panel->Color()) << name;
    }
    EXPECT_EQ(Text(Frame.DLLabel), "Download");
    EXPECT_EQ(Text(Frame.ULLabel), "Upload");
    EXPECT_EQ(Text(Frame.Panel1), "Session totals");
    EXPECT_NE(Frame.Panel1->FontColor(), Frame.Panel1->Color());
    EXPECT_EQ(At(image, Frame.Panel1, {1, 1}), Frame.Panel1->Color());

    // Each row has one colour across both directions, and the three rows differ; the current
    // rates stand out in bold.
    EXPECT_EQ(Frame.lDL->Color(), Frame.lUL->Color());
    EXPECT_EQ(Frame.lDLMax->Color(), Frame.lULMax->Color());
    EXPECT_EQ(Frame.lDLTotal->Color(), Frame.lULTotal->Color());
    EXPECT_NE(Frame.lDL->Color(), Frame.lDLMax->Color());
    EXPECT_NE(Frame.lDLMax->Color(), Frame.lDLTotal->Color());
    EXPECT_NE(Frame.lDL->Color(), Frame.lDLTotal->Color());
    EXPECT_TRUE(Frame.lDL->font().bold());
    EXPECT_TRUE(Frame.lUL->font().bold());
    EXPECT_FALSE(Frame.lDLMax->font().bold());

    // A direction's label, its session total and its line share one colour, and the line is
    // named as the label.
    EXPECT_NE(Frame.DLLabel->Color(), Frame.ULLabel->Color());
    EXPECT_EQ(Frame.sp_XYLine1->LineAttr().Color, Tsp_RgbOf(Frame.DLLabel->Color()));
    EXPECT_EQ(Frame.sp_XYLine2->LineAttr().Color, Tsp_RgbOf(Frame.ULLabel->Color()));
    EXPECT_EQ(Frame.lTDL->Color(), Frame.DLLabel->Color());
    EXPECT_EQ(Frame.lTUL->Color(), Frame.ULLabel->Color());
    EXPECT_EQ(Frame.sp_XYLine1->Legend, Text(Frame.DLLabel).toStdString());
    EXPECT_EQ(Frame.sp_XYLine2->Legend, Text(Frame.ULLabel).toStdString());

    // The chart has a point a tick, at the rate the read-outs show, in a field of its own colour;
    // rates that small leave the value axes at their starting range.
    Tsp_XYPlot& plot = *Frame.sp_XYPlot;
    ASSERT_EQ(Frame.sp_XYLine1->Count(), 2);
    EXPECT_DOUBLE_EQ(Frame.sp_XYLine1->Y(1), 1.5);
    EXPECT_DOUBLE_EQ(Frame.sp_XYLine2->Y(1), 1000.0 / 1024);
    EXPECT_DOUBLE_EQ(Frame.sp_XYLine1->X(1), Clock.Now());
    EXPECT_EQ(plot.LeftAxis().Max(), 10.0);
    EXPECT_EQ(plot.RightAxis().Max(), 10.0);
    const QRect field = plot.FieldRect();
    EXPECT_EQ(QColor(image.pixel(plot.mapTo(&Frame, field.center() + QPoint(3, 3)))), plot.FieldColor());

    // Header, chart and the three equal rows fill the panel; the read-out columns line up.
    EXPECT_EQ(Frame.Header->height() + plot.height() + 3 * Frame.GridPanel1->height(), Frame.height());
    EXPECT_EQ(Frame.GridPanel2->height(), Frame.GridPanel1->height());
    EXPECT_EQ(Frame.GridPanel3->height(), Frame.GridPanel1->height());
    EXPECT_EQ(Frame.DLLabel->width(), Frame.Panel1->width());
    EXPECT_NEAR(Frame.lDL->width(), Frame.lDLTotal->width(), 1);
    EXPECT_NEAR(Frame.lTDL->width(), Frame.lTUL->width(), 1);
    EXPECT_NEAR(Frame.lTDL->width() + Frame.lTUL->width() + Frame.Panel1->width(), Frame.width(), 1);
    EXPECT_TRUE(Frame.Header->font().bold());
    EXPECT_EQ(At(image, Frame.Header, {150, 20}), Frame.Header->ColorFrom());

    // The units selector and the button sit side by side inside the bar's right end, their texts
    // in full, with the hand that says they can be clicked.
    ASSERT_EQ(Frame.cbUnits->count(), 2);
    EXPECT_EQ(Frame.cbUnits->itemText(0), "Transfer");
    EXPECT_EQ(Frame.cbUnits->itemText(1), "Speed");
    EXPECT_EQ(Frame.cbUnits->currentIndex(), 0);
    const QFontMetrics units(Frame.cbUnits->font());
    EXPECT_LT(units.horizontalAdvance(Frame.cbUnits->itemText(0)), Frame.cbUnits->width());
    EXPECT_EQ(Frame.bProps->text(), "Properties...");
    EXPECT_LT(QFontMetrics(Frame.bProps->font()).horizontalAdvance(Frame.bProps->text()), Frame.bProps->width());
    EXPECT_LT(Frame.bProps->geometry().right(), Frame.Header->width());
    EXPECT_GT(Frame.bProps->geometry().right(), Frame.Header->width() - 10);
    EXPECT_LT(Frame.cbUnits->geometry().right(), Frame.bProps->geometry().left());
    EXPECT_LT(Frame.bProps->geometry().bottom(), Frame.Header->height());
    EXPECT_EQ(Frame.bProps->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Frame.cbUnits->cursor().shape(), Qt::PointingHandCursor);

    // The timer is the creator's to start.
    EXPECT_FALSE(Frame.Timer->isActive());
}

// The chart moves only when dragged with Ctrl, both axes against the pointer; a plain drag
// neither moves nor zooms it. Over the chart the pointer is a cross.
TEST_F(WatcherPanel, OnlyACtrlDragMovesTheChart)
{
    Tick(0, 0);
    for (int i = 0; i < 10; ++i)
        Tick(1024, 512);
    Render("pan");
    Tsp_XYPlot& plot = *Frame.sp_XYPlot;
    EXPECT_EQ(plot.cursor().shape(), Qt::CrossCursor);
    const auto drag = [&](Qt::KeyboardModifiers AKeys) {
        const QPoint from = plot.FieldRect().center();
        const QPoint to = from + QPoint(20, 20);
        QMouseEvent press(QEvent::MouseButtonPress, from, plot.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          AKeys);
        QCoreApplication::sendEvent(&plot, &press);
        QMouseEvent move(QEvent::MouseMove, to, plot.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, AKeys);
        QCoreApplication::sendEvent(&plot, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, plot.mapToGlobal(to), Qt::LeftButton, Qt::NoButton, AKeys);
        QCoreApplication::sendEvent(&plot, &release);
    };
    const double bottomMin = plot.BottomAxis().Min(), bottomMax = plot.BottomAxis().Max();
    const double leftMin = plot.LeftAxis().Min(), leftMax = plot.LeftAxis().Max();
    drag(Qt::NoModifier);
    EXPECT_EQ(plot.BottomAxis().Min(), bottomMin);
    EXPECT_EQ(plot.BottomAxis().Max(), bottomMax);
    EXPECT_EQ(plot.LeftAxis().Min(), leftMin);
    EXPECT_EQ(plot.LeftAxis().Max(), leftMax);

    drag(Qt::ControlModifier);
    EXPECT_LT(plot.BottomAxis().Min(), bottomMin); // dragged right: earlier times come in
    EXPECT_GT(plot.LeftAxis().Min(), leftMin);     // dragged down: the values move up
    EXPECT_NEAR(plot.BottomAxis().Max() - plot.BottomAxis().Min(), bottomMax - bottomMin, 1e-9);
}

TEST_F(WatcherPanel, TicksWriteTheReadOutsInTheSelectedUnits)
{
    Tick(0, 0); // first tick: set-up and baseline
    EXPECT_EQ(Frame.Statistics().ViewLength, 300u);
    EXPECT_EQ(Counters.LastIntfIdx, 7u);
    for (int i = 0; i < 5; ++i)
        Tick(1536, 1000);
    EXPECT_EQ(Text(Frame.lDL), "1.50 KB");
    EXPECT_EQ(Text(Frame.lUL), "1000.00 B");
    EXPECT_EQ(Text(Frame.lDLMax), "1.50 KB");
    EXPECT_EQ(Text(Frame.lDLTotal), "9.54 MB");
    EXPECT_EQ(Text(Frame.lULTotal), "1.91 MB");
    EXPECT_EQ(Text(Frame.lTDL), "7.50 KB");
    EXPECT_EQ(Text(Frame.lTUL), "4.88 KB");
    EXPECT_EQ(Frame.sp_XYLine1->Count(), 6);
    EXPECT_DOUBLE_EQ(Frame.sp_XYLine1->Y(5), 1.5);

    // "Speed" changes the rates and maxima at the next tick, never the totals.
    Frame.cbUnits->setCurrentIndex(1);
    Tick(1536, 1000);
    EXPECT_EQ(Text(Frame.lDL), "12.29 Kbps");
    EXPECT_EQ(Text(Frame.lUL), "8.00 Kbps");
    EXPECT_EQ(Text(Frame.lDLMax), "12.29 Kbps");
    EXPECT_EQ(Text(Frame.lTDL), "9.00 KB");
    EXPECT_FLOAT_EQ(Frame.sp_XYLine1->Y(6), 12.288); // the chart keeps values as floats

    // A replaced record is read at the next tick without losing anything; its new index is
    // another link's, so that tick takes a new baseline there.
    Frame.Adapter.IntfIdx = 12;
    Tick(1536, 1000);
    EXPECT_EQ(Counters.LastIntfIdx, 12u);
    EXPECT_EQ(Text(Frame.lTDL), "9.00 KB");
    Tick(1536, 1000);
    EXPECT_EQ(Text(Frame.lTDL), "10.50 KB");

    // While the snapshot has no interface of the panel's name at its index, nothing is read.
    Frame.AdapterPresent = false;
    Tick(1536, 1000);
    EXPECT_EQ(Text(Frame.lTDL), "10.50 KB");
    EXPECT_EQ(Text(Frame.lDL), "0.00 bps");
    Frame.AdapterPresent = true;

    const QImage image = Render("after_ticks");
    // The download line of the last ticks is drawn in sky blue inside the black field.
    const QRect field = Frame.sp_XYPlot->FieldRect();
    int blue = 0;
    for (int x = field.left(); x < field.left() + 30; ++x)
        for (int y = field.top(); y <= field.bottom(); ++y)
            blue += QColor(image.pixel(Frame.sp_XYPlot->mapTo(&Frame, QPoint(x, y)))) == SkyBlue;
    EXPECT_GT(blue, 0);
}

TEST_F(WatcherPanel, ClearingTheSessionTotalsAsksFirst)
{
    QString caption, text;
    bool answer = false;
    Frame.AskYesNo = [&](const QString& ACaption, const QString& AText) {
        caption = ACaption;
        text = AText;
        return answer;
    };
    Tick(0, 0);
    Tick(4096, 2048);
    Frame.Panel1->OnDblClick();
    EXPECT_EQ(caption, "Confirmation");
    EXPECT_EQ(text, "Clear session totals?");
    EXPECT_EQ(Frame.Statistics().TDL, 4096u);
    Tick(0, 0);
    EXPECT_EQ(Text(Frame.lTDL), "4.00 KB");

    answer = true;
    Frame.Panel1DblClick();
    EXPECT_EQ(Frame.Statistics().TDL, 0u);
    EXPECT_EQ(Frame.Statistics().TUL, 0u);
    // The maximum stays; the read-outs change at the next tick.
    EXPECT_EQ(Text(Frame.lTDL), "4.00 KB");
    Tick(0, 0);
    EXPECT_EQ(Text(Frame.lTDL), "0.00 B");
    EXPECT_EQ(Text(Frame.lDLMax), "4.00 KB");
}

TEST_F(WatcherPanel, DoubleClickAndUnitsChangeBringTheWindowBackToThePresent)
{
    Tick(0, 0);
    for (int i = 0; i < 10; ++i)
        Tick(50 * 1024, 0); // 50 KiB/s grows the value axis to 50
    Tsp_Axis& bottom = Frame.sp_XYPlot->BottomAxis();
    EXPECT_DOUBLE_EQ(Frame.sp_XYPlot->LeftAxis().Max(), 50.0);
    bottom.MoveMinMax(-60 * TWatcherStatistics::OneSecond); // panned back a minute
    Clock.Ms += 500;
    Frame.sp_XYPlotDblClick();
    EXPECT_NEAR(bottom.Min(), Clock.Now(), 1e-9);
    EXPECT_NEAR(bottom.Max() - bottom.Min(), 300 * TWatcherStatistics::OneSecond, 1e-9);

    bottom.MoveMinMax(-60 * TWatcherStatistics::OneSecond);
    Clock.Ms += 500;
    Frame.cbUnits->setCurrentIndex(1);
    EXPECT_NEAR(bottom.Min(), Clock.Now(), 1e-9);
}

TEST_F(WatcherPanel, TheValueHintFollowsThePointerInTheSelectedUnits)
{
    Tick(0, 0);
    Tick(1024, 0);
    Frame.show();
    Render("hint");
    const QRect field = Frame.sp_XYPlot->FieldRect();
    // Half way up a 0..10 value axis.
    Frame.sp_XYPlotMouseMove(field.left(), field.top() + field.height() / 2);
    QString hint = Frame.sp_XYPlot->toolTip();
    EXPECT_TRUE(hint.startsWith("Timestamp: 2023-03-15 12:00:0")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("\nValue: 5.0")) << hint.toStdString();
    EXPECT_TRUE(hint.endsWith(" KB")) << hint.toStdString();
    EXPECT_FALSE(hint.contains('\r'));

    Frame.cbUnits->setCurrentIndex(1);
    Frame.sp_XYPlotMouseMove(field.left() + 5, field.top() + field.height() / 2);
    hint = Frame.sp_XYPlot->toolTip();
    EXPECT_TRUE(hint.endsWith(" kbps")) << hint.toStdString();
    // Anywhere over the control, margins included.
    Frame.sp_XYPlotMouseMove(0, 0);
    EXPECT_TRUE(Frame.sp_XYPlot->toolTip().startsWith("Timestamp: "));
}

TEST_F(WatcherPanel, PropertiesShowTheWatchedRecord)
{
    Frame.bProps->click(); // nothing assigned: nothing happens
    std::string shown;
    Frame.OnProperties = [&](const TAdapter& AData) { shown = AData.Name; };
    Frame.bProps->click();
    EXPECT_EQ(shown, "eth0");
}

TEST_F(WatcherPanel, TheTimerTicksOnItsOwn)
{
    int ticks = 0;
    QObject::connect(Frame.Timer, &QTimer::timeout, [&] { ++ticks; });
    Frame.Timer->setInterval(1);
    Frame.Timer->start();
    QElapsedTimer wait;
    wait.start();
    while (ticks < 2 && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(Frame.Statistics().ViewLength, 300u);
    EXPECT_FALSE(Text(Frame.lDL).isEmpty());
}

} // namespace
} // namespace qn

namespace qn {
namespace {

TEST_F(WatcherPanel, ScreenReadersReadEachReadOutByInterfaceDirectionAndQuantityWithItsFigure)
{
    Frame.Header->SetCaption(QStringLiteral("eth0"));
    Tick(0, 0);
    Tick(1536, 2048);
    EXPECT_EQ("eth0", Frame.Header->accessibleName().toStdString()) << "the header bar names the interface";
    const auto read = [](QWidget* AWidget) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(AWidget);
        EXPECT_TRUE(a);
        EXPECT_EQ(QAccessible::StaticText, a->role());
        QAccessibleTextInterface* text = a->textInterface();
        EXPECT_TRUE(text);
        return a->text(QAccessible::Name).toStdString() + " = " +
               (text ? text->text(0, text->characterCount()).toStdString() : "");
    };
    EXPECT_EQ("eth0 download current = 1.50 KB", read(Frame.lDL));
    EXPECT_EQ("eth0 upload current = 2.00 KB", read(Frame.lUL));
    EXPECT_EQ("eth0 download maximum = 1.50 KB", read(Frame.lDLMax));
    EXPECT_EQ("eth0 upload total = " + Text(Frame.lULTotal).toStdString(), read(Frame.lULTotal));
    EXPECT_EQ("eth0 session download total = 1.50 KB", read(Frame.lTDL));
    EXPECT_EQ("Download = Download", read(Frame.DLLabel)) << "a label reads as its caption";
    EXPECT_EQ("Download 1.50 KB, peak 1.50 KB; upload 2.00 KB, peak 2.00 KB",
              Frame.sp_XYPlot->accessibleDescription().toStdString());
    EXPECT_EQ("Download 1.50 KB, upload 2.00 KB", Frame.Panel1->accessibleDescription().toStdString());

    // The record can change between ticks; the names follow it at the next.
    Frame.Adapter.Name = "wlan0";
    Tick(0, 0);
    EXPECT_EQ("wlan0 download current = 0.00 B", read(Frame.lDL));
    EXPECT_EQ("Download 0.00 B, peak 1.50 KB; upload 0.00 B, peak 2.00 KB",
              Frame.sp_XYPlot->accessibleDescription().toStdString());
}

} // namespace
} // namespace qn
