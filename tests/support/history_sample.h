// A traffic history file with a known month: the report's tests and the main window's menu test.
#pragma once

#include "history/history_store.h"

#include <gtest/gtest.h>

#include <string>

namespace qn::test {

// Every day of November 2026 for eth0 (1000 d^3 bytes down, 300 d up on day d) and every third day
// for wlan0 (5,000,000 down, 77 up), and 1 December for eth0: 31 days in all.
inline void WriteSampleHistory(const std::string& AFile)
{
    THistoryStore store;
    std::string moved, error;
    ASSERT_EQ(store.OpenForWriting(AFile, moved, error), THistoryFailure::hfNone) << error;
    THistoryBatch batch;
    for (int d = 1; d <= 30; ++d) {
        const TBucketKeys keys{20261100LL * 100 + d * 100 + 12, 20261100LL + d, 202611};
        batch.Add("eth0", keys, 1000ull * d * d * d, 300ull * d);
        if (d % 3 == 0)
            batch.Add("wlan0", keys, 5'000'000, 77);
    }
    batch.Add("eth0", {2026120112, 20261201, 202612}, 123'456'789, 42);
    ASSERT_EQ(store.Write(batch, error), THistoryFailure::hfNone) << error;
}

} // namespace qn::test
