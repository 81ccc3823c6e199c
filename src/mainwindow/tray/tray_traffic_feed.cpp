// TTrayTrafficFeed: the panels' read-outs, or the best interface's rates, for the tray.
#include "mainwindow/tray/tray_traffic_feed.h"

#include "netdata/network_configuration.h"
#include "texts/quantity_format.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/read_out_panel.h"

namespace qn {

namespace {

std::uint32_t OpaqueRgb(const QColor& AColor)
{
    return 0xFF000000u | (AColor.rgb() & 0x00FFFFFFu);
}

} // namespace

TTrayTraffic TTrayTrafficFeed::Collect(const std::vector<Tfrm_qn_Watcher*>& APanels, const TNetworkConfiguration& ANCC)
{
    TTrayTraffic traffic;
    if (!APanels.empty()) {
        for (Tfrm_qn_Watcher* frame : APanels) {
            const auto& texts = frame->Statistics().ReadOuts();
            traffic.Lines.push_back(
                {frame->Adapter.Name, texts[TWatcherStatistics::roDL], texts[TWatcherStatistics::roUL]});
        }
        Tfrm_qn_Watcher* first = APanels.front();
        traffic.RateDL = first->Statistics().RateDL();
        traffic.RateUL = first->Statistics().RateUL();
        traffic.Colors = {OpaqueRgb(first->DLLabel->Color()), OpaqueRgb(first->ULLabel->Color())};
        return traffic;
    }
    const std::uint32_t bestIdx = ANCC.BestInterfaceIdx();
    const int i = ANCC.FindAdapter(bestIdx);
    if (i < 0)
        return traffic;
    const TAdapter& best = ANCC.Adapters(static_cast<std::uint16_t>(i));
    FBestRates.Sample(FSource, best.IntfIdx);
    traffic.RateDL = FBestRates.RateDL();
    traffic.RateUL = FBestRates.RateUL();
    traffic.Lines.push_back(
        {best.Name, FormatTraffic(tmTransfer, traffic.RateDL), FormatTraffic(tmTransfer, traffic.RateUL)});
    return traffic;
}

} // namespace qn
