// The main window's traffic in the tray: the switch, and what each tick hands the tray icon.
#include "mainwindow/wnd_qn_main.h"

#include "platform/clock.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/quantity_format.h"
#include "watcher/read_out_panel.h"
#include "watcher/watcher_clock.h"

#include <QAction>
#include <QComboBox>

namespace qn {

namespace {

std::uint32_t OpaqueRgb(const QColor& AColor)
{
    return 0xFF000000u | (AColor.rgb() & 0x00FFFFFFu);
}

} // namespace

void Twnd_qn_Main::acTrayTrafficExecute()
{
    TrayIcon->SetShowTraffic(acTrayTraffic->isChecked());
    RefreshTrayTraffic();
}

void Twnd_qn_Main::RefreshTrayTraffic()
{
    if (!TrayIcon->ShowTraffic())
        return;
    const std::uint64_t now = WatcherClock ? WatcherClock->TickCount() : GetTickCount64();
    TTrayTraffic traffic;
    if (!FTrayDocked) {
        TrayIcon->Tick(false, now, traffic);
        return;
    }
    if (!FWatchers.empty()) {
        // The hint shows what the panels show, in their units; the picture the first panel's rates.
        for (Tfrm_qn_Watcher* frame : FWatchers) {
            const auto& texts = frame->Statistics().ReadOuts();
            traffic.Lines.push_back(
                {frame->Adapter.Name, texts[TWatcherStatistics::roDL], texts[TWatcherStatistics::roUL]});
        }
        Tfrm_qn_Watcher* first = FWatchers.front();
        traffic.RateDL = first->Statistics().RateDL();
        traffic.RateUL = first->Statistics().RateUL();
        traffic.Colors = {OpaqueRgb(first->DLLabel->Color()), OpaqueRgb(first->ULLabel->Color())};
    } else if (const int i = FindAdapterByIntfIdx(FNCC->BestInterfaceIdx()); i >= 0) {
        const TAdapter best = FNCC->Adapters(i);
        std::uint64_t in = 0, out = 0;
        FNCC->GetTraffic(best.IntfIdx, in, out);
        // Both counters 0 is a failed read, as the panels count it.
        FTrayRates.Sample(best.IntfIdx, in != 0 || out != 0, in, out, now);
        traffic.RateDL = FTrayRates.RateDL();
        traffic.RateUL = FTrayRates.RateUL();
        traffic.Lines.push_back(
            {best.Name, FormatTraffic(tmTransfer, traffic.RateDL), FormatTraffic(tmTransfer, traffic.RateUL)});
    }
    TrayIcon->Tick(true, now, traffic);
}

} // namespace qn
