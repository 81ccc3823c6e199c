// Test helper: pins the process-wide formats for one test and restores them afterwards.
#pragma once

#include "chart/format_settings.h"

namespace qn::test {

class TPinnedFormat
{
public:
    explicit TPinnedFormat(const char* ADecimalSeparator = ".", const char* AShortDate = "yyyy-MM-dd",
                           const char* ALongTime = "HH:mm:ss")
        : FSaved(FormatSettings())
    {
        TFormatSettings settings;
        settings.DecimalSeparator = ADecimalSeparator;
        settings.ShortDateFormat = AShortDate;
        settings.LongTimeFormat = ALongTime;
        SetFormatSettings(settings);
    }
    ~TPinnedFormat() { SetFormatSettings(FSaved); }
    TPinnedFormat(const TPinnedFormat&) = delete;
    TPinnedFormat& operator=(const TPinnedFormat&) = delete;

private:
    TFormatSettings FSaved;
};

} // namespace qn::test
