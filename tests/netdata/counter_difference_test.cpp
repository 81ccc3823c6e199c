// The one counter rule of the panels and the history, as one table.
#include "netdata/counter_difference.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qn {
namespace {

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

TEST(CounterDifference, OneTableForResetsWrapsWidthChangesAndZeroReads)
{
    struct TCase
    {
        const char* What;
        TTrafficCounters Baseline;
        TTrafficCounters Reading;
        bool Usable; // of the reading
        std::uint64_t In;
        std::uint64_t Out;
    };
    const TCase cases[] = {
        {"64-bit steady", {10 * GiB, 4 * GiB, true}, {11 * GiB, 4 * GiB + 5, true}, true, GiB, 5},
        {"64-bit past 2^32 is no wrap", {0xFFFFFF00ull, 0, true}, {0x100000100ull, 0, true}, true, 0x200, 0},
        {"64-bit reset counts nothing in that direction only", {10 * GiB, 100, true}, {4096, 300, true}, true, 0, 200},
        {"32-bit wrap is absorbed", {0xFFFFFF00u, 10, false}, {0x100u, 20, false}, true, 0x200, 10},
        {"32-bit steady", {1000, 2000, false}, {1500, 2000, false}, true, 500, 0},
        {"narrow to wide counts nothing", {1000, 1000, false}, {5000, 5000, true}, true, 0, 0},
        {"wide to narrow counts nothing", {1000, 1000, true}, {5000, 5000, false}, true, 0, 0},
        // The 0/0 read: a 64-bit one is a fresh link (a baseline); a 32-bit one a failed read.
        {"64-bit 0/0 after a baseline is a reset", {1000, 1000, true}, {0, 0, true}, true, 0, 0},
        {"64-bit 0/0 as baseline counts the first traffic", {0, 0, true}, {700, 80, true}, true, 700, 80},
        {"32-bit 0/0 is no reading", {1000, 1000, false}, {0, 0, false}, false, 0, 0},
        {"32-bit with one counter at 0 is a reading", {0, 10, false}, {0, 30, false}, true, 0, 20},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(c.Usable, UsableReading(c.Reading));
        if (!c.Usable)
            continue;
        const TCounterStep step = CounterDifference(c.Baseline, c.Reading);
        EXPECT_EQ(c.In, step.In);
        EXPECT_EQ(c.Out, step.Out);
    }
}

} // namespace
} // namespace qn
