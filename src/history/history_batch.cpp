// Summing reads into the pending buckets.
#include "history/history_batch.h"

namespace qn {

void THistoryBatch::Add(const std::string& AName, const TBucketKeys& AKeys, std::uint64_t ADownload,
                        std::uint64_t AUpload)
{
    const std::pair<THistoryPeriod, std::int64_t> parts[] = {{THistoryPeriod::hpHour, AKeys.Hour},
                                                             {THistoryPeriod::hpDay, AKeys.Day},
                                                             {THistoryPeriod::hpMonth, AKeys.Month}};
    for (const auto& [period, key] : parts) {
        TBucketBytes& bytes = Buckets[THistoryBucket{period, AName, key}];
        bytes.Download += ADownload;
        bytes.Upload += AUpload;
    }
}

void THistoryBatch::AddApp(const TAppDayKey& AKey, const std::string& AName, std::uint64_t ADownload,
                           std::uint64_t AUpload)
{
    TAppDayBytes& day = Apps[AKey];
    if (!AName.empty())
        day.Name = AName;
    day.Bytes.Download += ADownload;
    day.Bytes.Upload += AUpload;
}

void THistoryBatch::Merge(const THistoryBatch& AOther)
{
    for (const auto& [key, day] : AOther.Apps)
        AddApp(key, day.Name, day.Bytes.Download, day.Bytes.Upload);
    for (const auto& [bucket, bytes] : AOther.Buckets) {
        TBucketBytes& sum = Buckets[bucket];
        sum.Download += bytes.Download;
        sum.Upload += bytes.Upload;
    }
    for (const auto& [name, c] : AOther.Classes)
        Classes[name] = c;
    Warnings.insert(Warnings.end(), AOther.Warnings.begin(), AOther.Warnings.end());
}

} // namespace qn
