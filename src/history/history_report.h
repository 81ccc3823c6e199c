// The report rows as text for files and scripts: CSV and JSON.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"

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

} // namespace qn
