// One tick of a shown watcher panel whose chart holds a day of points, including its repaint.
#include "watcher/frm_qn_watcher.h"

#include "support/fake_clock.h"
#include "support/scripted_counters.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

using qn::test::TFakeClock;
using qn::test::TScriptedCounters;

// Arguments: the units index (0, 1) and the traffic (0: an idle link, every rate 0; 1: busy). The
// panel is 475 x 210 as in the main window, its series are full.
void BM_PanelTickWithRepaint(benchmark::State& AState)
{
    TFakeClock clock(1000);
    TScriptedCounters counters({1000000, 1000, true});
    qn::Tfrm_qn_Watcher panel(nullptr, &counters, &clock);
    panel.resize(475, 210);
    panel.setFixedHeight(210);
    panel.Adapter.IntfIdx = 1;
    panel.Initialize();
    const bool busy = AState.range(1) != 0;
    auto tick = [&] {
        clock.Ms += 1000;
        // Busy traffic changes every tick, so every read-out and the chart really change.
        if (busy) {
            counters.Value.InOctets += 150000 + (clock.Ms / 1000 % 7) * 1000;
            counters.Value.OutOctets += 20000 + (clock.Ms / 1000 % 5) * 100;
        }
        panel.TimerTimer();
    };
    for (int i = 0; i <= qn::TWatcherStatistics::MaxPoints; ++i)
        tick();
    panel.cbUnits->setCurrentIndex(static_cast<int>(AState.range(0)));
    panel.show();
    QApplication::processEvents();
    for (auto _ : AState) {
        tick();
        // Paint now what the tick invalidated, as the event loop would.
        panel.repaint();
    }
    AState.counters["points"] = panel.sp_XYLine1->Count();
}
BENCHMARK(BM_PanelTickWithRepaint)->Args({0, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMicrosecond);

} // namespace
