// The traffic of reads not yet written: byte sums per interface and bucket.
#pragma once

#include "history/history_period.h"
#include "history/interface_class.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace qn {

// One bucket of one interface. Only hours, days and months are stored; years derive from months.
struct THistoryBucket
{
    THistoryPeriod Period = THistoryPeriod::hpHour;
    std::string Name;
    std::int64_t Key = 0;

    bool operator<(const THistoryBucket& AOther) const
    {
        return std::tie(Period, Name, Key) < std::tie(AOther.Period, AOther.Name, AOther.Key);
    }
};

struct TBucketBytes
{
    std::uint64_t Download = 0;
    std::uint64_t Upload = 0;
};

// One application's day. Kind is the applications layer's kind of unit (0: what no application
// accounts for, "Unattributed"); Id its key within the kind (an application's desktop ID).
struct TAppDayKey
{
    int Kind = 0;
    std::string Id;
    std::int64_t Day = 0;

    bool operator<(const TAppDayKey& AOther) const
    {
        return std::tie(Kind, Id, Day) < std::tie(AOther.Kind, AOther.Id, AOther.Day);
    }
};

// An application's bytes of one day and the name it was shown with (the latest wins).
struct TAppDayBytes
{
    std::string Name;
    TBucketBytes Bytes;
};

// Byte sums to add to the stored buckets, and the retention at the time of the last read. Classes
// are what the interfaces are now (recorded so that a gone interface keeps its class); Warnings
// are data cap warnings given (period id, level; 0 is the forecast), each remembered once.
struct THistoryBatch
{
    std::map<THistoryBucket, TBucketBytes> Buckets;
    TRetention Retention;
    std::map<std::string, TInterfaceClass> Classes;
    std::vector<std::pair<std::string, int>> Warnings;
    std::map<TAppDayKey, TAppDayBytes> Apps;

    bool Empty() const { return Buckets.empty() && Warnings.empty() && Apps.empty(); }
    // Adds the bytes of one read to the read's hour, day and month.
    void Add(const std::string& AName, const TBucketKeys& AKeys, std::uint64_t ADownload, std::uint64_t AUpload);
    // Adds an application's bytes to its day.
    void AddApp(const TAppDayKey& AKey, const std::string& AName, std::uint64_t ADownload, std::uint64_t AUpload);
    // Adds every bucket of AOther (a write that has to be tried again with the next one).
    void Merge(const THistoryBatch& AOther);
};

} // namespace qn
