// The program's one applications monitor: a step once a second for the whole session.
#pragma once

#include "apptraffic/app_traffic_monitor.h"
#include "appview/app_history_feed.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace qn {

// A child of the main window, so the totals cover the session, whether the window is open or not.
// Without the layer (QUARNO_APPS=0) it reads nothing and Monitor() is null.
class TAppTrafficFeed : public QObject
{
    Q_OBJECT

public:
    explicit TAppTrafficFeed(QObject* AOwner);

    // The owner's feed, made on first use.
    static TAppTrafficFeed* Of(QObject* AOwner);

    TAppTrafficMonitor* Monitor() const { return FMonitor.get(); }

    // Called after each step; the windows that show the figures set it.
    std::function<void()> OnStep;
    // The recorder that keeps each step's bytes per application and day; null: none records.
    std::function<THistoryRecorder*()> Recorder;

private:
    void TimerTimer();

    QTimer Timer;
    std::unique_ptr<TAppTrafficMonitor> FMonitor;
    TAppHistoryFeed FHistory;
};

} // namespace qn
