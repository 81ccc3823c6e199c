// Pins the process-wide number and date formats for one test and restores them afterwards.
#pragma once

#include "texts/format_settings.h"

#include <string>
#include <utility>

namespace qn::test {

class TPinnedFormat
{
public:
    // Strings by value and moved in: assigning a literal to a string trips a false -Wrestrict
    // of GCC 12 at -O3.
    explicit TPinnedFormat(std::string ADecimalSeparator = ".", std::string AShortDate = "yyyy-MM-dd",
                           std::string ALongTime = "HH:mm:ss")
        : FSaved(FormatSettings())
    {
        TFormatSettings settings;
        settings.DecimalSeparator = std::move(ADecimalSeparator);
        settings.ShortDateFormat = std::move(AShortDate);
        settings.LongTimeFormat = std::move(ALongTime);
        SetFormatSettings(settings);
    }
    ~TPinnedFormat() { SetFormatSettings(FSaved); }
    TPinnedFormat(const TPinnedFormat&) = delete;
    TPinnedFormat& operator=(const TPinnedFormat&) = delete;

private:
    TFormatSettings FSaved;
};

} // namespace qn::test
