// What the applications moved, handed to the history recorder after each step of the monitor.
#pragma once

#include "apptraffic/app_traffic.h"
#include "history/history_recorder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace qn {

// Hands over each row's growth of its session totals since the last call, so a step the monitor
// skipped (nothing crossed the uplinks) adds nothing and none is counted twice. "Unattributed" is
// kind 0; its total may shrink when a late close event books bytes to an application, and then
// only growth from the lower figure counts. Names are the ones the window shows, in the file's
// plain English for the rows that are no application (the report translates those by kind).
class TAppHistoryFeed
{
public:
    // The display name of an application's desktop ID (its desktop entry's unless replaced).
    std::function<std::string(const std::string& AId)> AppName;

    void Record(const TAppTraffic& ATraffic, THistoryRecorder& ARecorder);

private:
    void Add(const TAppRow& ARow, THistoryRecorder& ARecorder);

    std::map<std::pair<int, std::string>, std::pair<std::uint64_t, std::uint64_t>> FSeen;
};

} // namespace qn
