// The watcher panel offscreen: its design, ticks on a fake clock and fake counters, the read-outs,
// the view reset, the value hint, the session-totals question and the Properties button.
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
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace qn {
namespace {

const QColor MoneyGreen(0xC0, 0xDC, 0xC0);
const QColor SkyBlue(0xA6, 0xCA, 0xF0);
const QColor Lime(0x00, 0xFF, 0x00);
const QColor Cream(0xFF, 0xFB, 0xF0);
const QColor TotalGrey(0xE0, 0xE0, 0xE0);

class WatcherPanel : public testing::Test
{
protected:
    test::TPinnedFormat Pin{"."};
    test::TFakeClock Clock;
    test::TScriptedCounters Counters{{10000000, 2000000, true}};
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

TEST_F(WatcherPanel, TheDesignHasTheHeaderChartAndReadOutGrid)
{
    const QImage image = Render("design");
    EXPECT_EQ(Frame.Header->height(), 29);
    EXPECT_EQ(Frame.Header->ColorFrom(), MoneyGreen);
    EXPECT_EQ(Frame.Header->ColorTo(), MoneyGreen);
    EXPECT_EQ(Frame.Header->TopIndent(), 7);
    EXPECT_FALSE(Frame.Header->Border());
    EXPECT_TRUE(Frame.Header->font().bold());
    EXPECT_EQ(Frame.Header->font().pixelSize(), 11);
    EXPECT_EQ(At(image, Frame.Header, {150, 20}), MoneyGreen);

    // The units selector and the button sit at the bar's top right.
    ASSERT_EQ(Frame.cbUnits->count(), 2);
    EXPECT_EQ(Frame.cbUnits->itemText(0), "Transfer");
    EXPECT_EQ(Frame.cbUnits->itemText(1), "Speed");
    EXPECT_EQ(Frame.cbUnits->currentIndex(), 0);
    EXPECT_EQ(Frame.cbUnits->width(), 69);
    EXPECT_EQ(Frame.bProps->text(), "Properties...");
    EXPECT_EQ(Frame.bProps->size(), QSize(75, 23));
    EXPECT_EQ(Frame.bProps->geometry().right(), Frame.Header->width() - 1 - 3);
    EXPECT_LT(Frame.cbUnits->geometry().right(), Frame.bProps->geometry().left());
    EXPECT_LE(Frame.bProps->geometry().bottom(), 28);
    EXPECT_EQ(Frame.bProps->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Frame.cbUnits->cursor().shape(), Qt::PointingHandCursor);

    // Three rows of 18 pixels under a chart that takes the rest.
    for (QWidget* row : {Frame.GridPanel1, Frame.GridPanel2, Frame.GridPanel3})
        EXPECT_EQ(row->height(), 18);
    EXPECT_EQ(Frame.sp_XYPlot->height(), 210 - 29 - 3 * 18);
    EXPECT_EQ(Frame.DLLabel->width(), 70);
    EXPECT_EQ(Frame.Panel1->width(), 70);
    EXPECT_NEAR(Frame.lDL->width(), Frame.lDLTotal->width(), 1);
    EXPECT_NEAR(Frame.lTDL->width(), Frame.lTUL->width(), 1);
    EXPECT_NEAR(Frame.lTDL->width(), (475 - 70) / 2, 1);

    struct TCell
    {
        TReadOutPanel* Panel;
        QColor Color;
        const char* Hint;
    };
    const TCell cells[] = {
        {Frame.DLLabel, SkyBlue, ""},  {Frame.lDL, Qt::white, "Current"},
        {Frame.lDLMax, Cream, "Max"},  {Frame.lDLTotal, TotalGrey, "Total transfer"},
        {Frame.ULLabel, Lime, ""},     {Frame.lUL, Qt::white, "Current"},
        {Frame.lULMax, Cream, "Max"},  {Frame.lULTotal, TotalGrey, "Total transfer"},
        {Frame.Panel1, Qt::black, ""}, {Frame.lTDL, SkyBlue, "Download"},
        {Frame.lTUL, Lime, "Upload"},
    };
    for (const TCell& cell : cells) {
        EXPECT_EQ(cell.Panel->Color(), cell.Color) << cell.Panel->objectName().toStdString();
        EXPECT_EQ(At(image, cell.Panel, {1, 1}), cell.Color) << cell.Panel->objectName().toStdString();
        EXPECT_EQ(cell.Panel->toolTip(), cell.Hint) << cell.Panel->objectName().toStdString();
    }
    EXPECT_EQ(Text(Frame.DLLabel), "Download");
    EXPECT_EQ(Text(Frame.ULLabel), "Upload");
    EXPECT_EQ(Text(Frame.Panel1), "Session totals");
    EXPECT_EQ(Frame.Panel1->FontColor(), QColor(Qt::white));
    EXPECT_TRUE(Frame.lDL->font().bold());
    EXPECT_TRUE(Frame.lUL->font().bold());
    EXPECT_FALSE(Frame.lDLMax->font().bold());

    // The chart: black field, no zoom, Ctrl-pan on both axes, cross cursor, design ranges.
    Tsp_XYPlot& plot = *Frame.sp_XYPlot;
    EXPECT_EQ(plot.FieldColor(), QColor(Qt::black));
    EXPECT_EQ(plot.Zoom(), Tsp_XYPlot::zpdNone);
    EXPECT_EQ(plot.Pan(), Tsp_XYPlot::zpdBoth);
    EXPECT_EQ(plot.PanShiftKeys(), Qt::ControlModifier);
    EXPECT_TRUE(plot.BufferedDisplay());
    EXPECT_EQ(plot.cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(plot.PanCursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(plot.LeftAxis().Max(), 10.0);
    EXPECT_EQ(plot.RightAxis().Max(), 10.0);
    EXPECT_EQ(Frame.sp_XYLine1->Legend, "Download");
    EXPECT_EQ(Frame.sp_XYLine2->Legend, "Upload");
    EXPECT_EQ(Frame.sp_XYLine1->LineAttr().Color, 0xA6CAF0u);
    EXPECT_EQ(Frame.sp_XYLine2->LineAttr().Color, 0x00FF00u);
    const QRect field = plot.FieldRect();
    EXPECT_EQ(QColor(image.pixel(plot.mapTo(&Frame, field.center() + QPoint(3, 3)))), QColor(Qt::black));

    // The timer is the creator's to start.
    EXPECT_FALSE(Frame.Timer->isActive());
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
