// Quarno for the idle-cost measurement: the real main window watching its first four interfaces,
// each chart already holding a full day of points, so that the measured steady state is the worst
// one a long run reaches, and scrolling from the first tick. Run it in place of quarno:
// bench/idle_cost/measure.sh build-bench/bin/quarno-four-panels
#include "app/startup.h"
#include "chart/sp_xy_plot.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/settings_storage.h"
#include "mainwindow/window/wnd_qn_main.h"
#include "platform/clock.h"
#include "platform/settings_location.h"
#include "watcher/frm_qn_watcher.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>

int main(int argc, char** argv)
{
    qn::SettingsStorage()->SetFileName(qn::SettingsFilePathForThisProgram("Veldo", "Quarno"));
    QApplication app(argc, argv);
    qn::SetUpApplication();

    qn::Twnd_qn_Main window;
    QObject::connect(&window, &qn::Twnd_qn_Main::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();

    // Watched for this run only (nothing is stored): the first four interfaces.
    const int count = std::min(4, window.NCC().AdapterCount());
    for (int i = 0; i < count; ++i)
        window.AddWatcher(window.NCC().Adapters(static_cast<std::uint16_t>(i)));
    // A day of one point per second up to now, before the first tick fixes the time window.
    constexpr int Day = qn::TWatcherStatistics::MaxPoints;
    const double now = qn::LocalDateTimeNow();
    // The first panel saw steady traffic all day; the others idle links with a burst now and then,
    // whose many zero points are the common case of a long run.
    bool busy = true;
    for (qn::Tfrm_qn_Watcher* frame : window.Watchers()) {
        for (std::int64_t s = Day - 1; s >= 0; --s) {
            const double x = now - static_cast<double>(s) * qn::TWatcherStatistics::OneSecond;
            const double t = static_cast<double>(s);
            const bool burst = busy || s % 3600 < 60;
            frame->sp_XYLine1->AddXY(x, burst ? 120 + 80 * std::sin(t / 37.0) + static_cast<double>(s * 7919 % 23) : 0);
            frame->sp_XYLine2->AddXY(x,
                                     burst ? 20 + 15 * std::sin(t / 53.0) + static_cast<double>(s * 104729 % 11) : 0);
        }
        busy = false;
        // The time window already ends at now, as after five minutes of ticks: the charts scroll
        // from the first tick, so a measurement needs no five-minute warm-up.
        qn::TWatcherStatistics& statistics = frame->Statistics();
        statistics.ViewLength = qn::TWatcherStatistics::DefaultViewLength;
        frame->sp_XYPlot->BottomAxis().SetMinMax(now - statistics.ViewLength * qn::TWatcherStatistics::OneSecond, now);
    }
    return app.exec();
}
