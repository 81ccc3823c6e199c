// TTrayTrafficFeed: what each tick hands the tray icon's traffic picture and hint.
#pragma once

#include "mainwindow/tray/traffic_tray_icon.h"
#include "mainwindow/tray/tray_hint.h"
#include "netdata/ip_helper_counter_source.h"
#include "platform/clock.h"

#include <cstdint>
#include <vector>

namespace qn {

class TNetworkConfiguration;
class Tfrm_qn_Watcher;

// The hint shows what the panels show, in their units, and the picture the first panel's rates and
// colours. While no panel watches, the best interface's counters are sampled here at each tick.
class TTrayTrafficFeed
{
public:
    // AClock times the best interface's rows; borrowed for the feed's life.
    explicit TTrayTrafficFeed(IClock& AClock) : FSource(AClock) {}

    TTrayTraffic Collect(const std::vector<Tfrm_qn_Watcher*>& APanels, const TNetworkConfiguration& ANCC);

private:
    TIpHelperCounterSource FSource;
    TTrayRates FBestRates;
};

} // namespace qn
