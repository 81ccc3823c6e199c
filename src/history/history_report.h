// The report rows as text for files and scripts: CSV and JSON.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"
#include "history/quota_status.h"

#include <string>
#include <vector>

namespace qn {

// "period,download,upload,total" and one line per row: ISO period, bytes as integers. Lines end
// with "\n".
std::string HistoryCsv(THistoryPeriod APeriod, const std::vector<THistoryRow>& ARows);

// {"interface": ..., "period": "days", "rows": [{"period": "2026-12-09", "download": 1, ...}]};
// an empty AInterface is written as null (all interfaces). Names that are not UTF-8 keep their
// bytes as \u00XX escapes of each byte.
std::string HistoryJson(const std::string& AInterface, THistoryPeriod APeriod, const std::vector<THistoryRow>& ARows);

// The kind of an application row as the tool writes it: "unattributed" (0), "application",
// "service", "session", "user"; "other" for a kind this version does not know.
const char* AppKindName(int AKind);

// "period,kind,id,name,download,upload,total" and one line per application of the bucket AKey of
// APeriod; fields with a comma, a quote or a line break are quoted.
std::string AppsCsv(THistoryPeriod APeriod, std::int64_t AKey, const std::vector<THistoryAppRow>& ARows);

// {"period": "days", "key": "2026-12-09", "applications": [{"kind": "application", "id": ...,
// "name": ..., "download": 1, "upload": 2, "total": 3}]}; "Unattributed" has the id "".
std::string AppsJson(THistoryPeriod APeriod, std::int64_t AKey, const std::vector<THistoryAppRow>& ARows);

// The data cap's status: {"period": "month", "first_day": "2026-12-05", "last_day": "2026-01-04",
// "days": 31, "days_left": 27, "direction": "total", "interfaces": [...], "used": 1, "limit": 2,
// "percent": 50.0, "over": false, "per_day": ..., "forecast": ..., "allowance": ...,
// "history_starts": "2026-12-07" or null (when the history holds the whole period)}.
std::string QuotaJson(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus,
                      const std::vector<std::string>& AInterfaces);

// The last day of AWindow, a day key.
std::int64_t LastDayOf(const TQuotaWindow& AWindow);

} // namespace qn
