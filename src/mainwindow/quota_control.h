// TQuotaControl: the data cap of the settings file's [Quota] section and its live figures.
#pragma once

#include "history/quota_settings.h"
#include "history/quota_status.h"

#include <optional>
#include <string>

namespace qn {

class THistoryRecording;
class TLayoutManagerINIStorage;

// The cap is read and written key by key in the file, whatever the persistence switch: it is no
// layout. A write replaces the file once for the whole section and throws before anything changed.
class TQuotaControl
{
public:
    const TQuotaSettings& Settings() const { return FSettings; }
    // Reads the section; returns the message for a bad value, or an empty text.
    std::string Load(TLayoutManagerINIStorage& AStorage);
    void Store(TLayoutManagerINIStorage& AStorage, const TQuotaSettings& ASettings);
    // The recorder's cap figures while AHistory records, current to its last read; none while the
    // cap changed, or a period began, since its last check.
    std::optional<TQuotaStatus> Live(const THistoryRecording* AHistory) const;

private:
    TQuotaSettings FSettings;
};

} // namespace qn
