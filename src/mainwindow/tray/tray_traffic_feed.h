// TTrayTrafficFeed: what each tick hands the tray icon's traffic picture and hint.
#pragma once

#include "mainwindow/tray/traffic_tray_icon.h"
#include "mainwindow/tray/tray_hint.h"

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
    TTrayTraffic Collect(const std::vector<Tfrm_qn_Watcher*>& APanels, const TNetworkConfiguration& ANCC,
                         std::uint64_t ANowMs);

private:
    TTrayRates FBestRates;
};

} // namespace qn
