// The data cap's figures as the dialogs and the notifications write them.
#pragma once

#include "history/history_store.h"
#include "history/quota_monitor.h"
#include "history/quota_status.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qn {

// "month from 2026-12-05 to 2027-01-04, 27 days left"
std::string QuotaPeriodLine(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus);
// "6.21 GB of 10.0 GB (62 %)"
std::string QuotaUsedLine(const TQuotaStatus& AStatus);
// "Pace 210 MB a day (7.12 GB by the period's end); 320 MB a day may be used from now on."
std::string QuotaPaceLine(const TQuotaStatus& AStatus);
// "The history starts on 2026-12-07: what was used before is not counted." or "".
std::string QuotaPartialLine(const TQuotaStatus& AStatus);

// The applications that moved the most on the uplinks in AStatus's period, by the direction the
// cap counts, at most ACount of them; "Unattributed" is no application and never among them.
std::vector<THistoryAppRow> QuotaTopApps(const THistoryStore& AStore, const TQuotaSettings& ASettings,
                                         const TQuotaStatus& AStatus, std::size_t ACount = 3);
// The bytes of ARow that the cap counts.
std::uint64_t QuotaCounted(const TQuotaSettings& ASettings, const THistoryAppRow& ARow);

// The summary and body of the notification of AWarning.
void QuotaWarningText(const TQuotaSettings& ASettings, const TQuotaWarning& AWarning, std::string& ASummary,
                      std::string& ABody);

} // namespace qn
