// The watcher's statistics driving a real plot, which draws the rates.
#include "texts/quantity_format.h"
#include "watcher/plot_watcher_chart.h"
#include "watcher/watcher_statistics.h"

#include "support/fake_clock.h"
#include "support/pinned_format.h"
#include "support/scripted_counters.h"

#include <QImage>

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(WatcherOnPlot, TicksDriveARealPlotThatDrawsTheRates)
{
    test::TPinnedFormat pin;
    Tsp_XYPlot plot;
    plot.resize(480, 150);
    plot.SetFieldColor(Qt::black);
    plot.SetBufferedDisplay(true);
    ConfigureWatcherAxes(&plot.LeftAxis(), &plot.RightAxis(), &plot.BottomAxis(), &plot.TopAxis());
    Tsp_XYLine& down = plot.AddLine();
    down.SetLineAttr({0xA6CAF0, Tsp_PenStyle::Solid, 1, true});
    Tsp_XYLine& up = plot.AddLine();
    up.SetLineAttr({0x00FF00, Tsp_PenStyle::Solid, 1, true});
    TPlotWatcherChart chart(plot, down, up);
    test::TFakeClock clock(0);
    test::TScriptedCounters counters({100000, 100000, true}, clock);
    TWatcherStatistics stats(counters, clock, chart);
    stats.TimerTimer(0);
    for (int i = 0; i < 400; ++i) {
        clock.Ms += 1000;
        counters.Value.InOctets += 5 * 1024;
        counters.Value.OutOctets += i < 390 ? 2 * 1024 : 25 * 1024; // a late burst grows the axis
        stats.TimerTimer(0);
    }
    EXPECT_EQ(plot.LeftAxis().Max(), 25.0);
    EXPECT_EQ(plot.RightAxis().Max(), 25.0);
    EXPECT_FALSE(plot.BottomAxis().AutoMin());

    QImage image(plot.size(), QImage::Format_RGB32);
    plot.render(&image);
    image.save(QString(QN_TEST_ARTIFACT_DIR) + "/watcher_chart_run.png");
    const int y5 = plot.LeftAxis().V2P(5.0);
    const int x = plot.BottomAxis().V2P(clock.Now() - 60.0 / 86400);
    EXPECT_EQ(QColor(image.pixel(x, y5)), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(QColor(image.pixel(x, plot.LeftAxis().V2P(2.0))), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(QColor(image.pixel(plot.BottomAxis().V2P(clock.Now() - 4.0 / 86400), plot.LeftAxis().V2P(25.0))),
              QColor(0x00, 0xFF, 0x00));
}

} // namespace
} // namespace qn
