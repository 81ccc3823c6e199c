// The main window's traffic in the tray: the switch, and what each tick hands the tray icon.
#include "mainwindow/wnd_qn_main.h"

#include "mainwindow/tray_traffic_feed.h"
#include "platform/clock.h"

#include <QAction>

namespace qn {

void Twnd_qn_Main::RefreshTrayTraffic()
{
    if (!TrayIcon->ShowTraffic())
        return;
    const std::uint64_t now = Clock ? Clock->TickCount() : GetTickCount64();
    if (!TrayDocked()) {
        TrayIcon->Tick(false, now, {});
        return;
    }
    if (!FTrayFeed)
        FTrayFeed = std::make_unique<TTrayTrafficFeed>(Clock ? *Clock : SystemClock());
    TrayIcon->Tick(true, now, FTrayFeed->Collect(Watchers(), *FNCC));
}

} // namespace qn
