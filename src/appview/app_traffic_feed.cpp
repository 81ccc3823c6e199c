// The applications monitor's timer.
#include "appview/app_traffic_feed.h"

#include "appview/desktop_entry.h"

#include <QCoreApplication>

namespace qn {

TAppTrafficFeed::TAppTrafficFeed(QObject* AOwner) : QObject(AOwner), Timer(this)
{
    setObjectName(QStringLiteral("AppTrafficFeed"));
    if (!TAppTrafficMonitor::Enabled())
        return;
    FHistory.AppName = [](const std::string& AId) { return LookUpDesktopEntry(AId).Name.toStdString(); };
    FMonitor = std::make_unique<TAppTrafficMonitor>();
    FMonitor->Step(); // the baselines
    Timer.setInterval(1000);
    // On whole seconds, in step with the window's and the panels' timers.
    Timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&Timer, &QTimer::timeout, this, &TAppTrafficFeed::TimerTimer);
    Timer.start();
    // The last step before the history's last write, so the ending keeps what moved since the
    // last second.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
            Timer.stop();
            TimerTimer();
        });
}

TAppTrafficFeed* TAppTrafficFeed::Of(QObject* AOwner)
{
    if (auto* feed = AOwner->findChild<TAppTrafficFeed*>(QStringLiteral("AppTrafficFeed"), Qt::FindDirectChildrenOnly))
        return feed;
    return new TAppTrafficFeed(AOwner);
}

void TAppTrafficFeed::TimerTimer()
{
    // No exception crosses the event loop: a failed step leaves the last figures.
    try {
        FMonitor->Step();
        if (THistoryRecorder* recorder = Recorder ? Recorder() : nullptr)
            FHistory.Record(FMonitor->Traffic(), *recorder);
        if (OnStep)
            OnStep();
    } catch (const std::exception&) {
    }
}

} // namespace qn
