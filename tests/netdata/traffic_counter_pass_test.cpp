// The shared counter pass: one bulk request serves every reader within its age, and its answers.
#include "netdata/traffic_counter_pass.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qn {
namespace {

struct TScript
{
    int Result = 1;
    std::vector<TLinkCounters> Counters;
    int Requests = 0;
    test::TFakeClock Clock{10000};
};

TTrafficCounterPass MakePass(TScript& AScript)
{
    return TTrafficCounterPass(
        [&AScript](std::vector<TLinkCounters>& ACounters) {
            ++AScript.Requests;
            ACounters = AScript.Result > 0 ? AScript.Counters : std::vector<TLinkCounters>{};
            return AScript.Result;
        },
        AScript.Clock);
}

TEST(TrafficCounterPass, ReadersWithinTheAgeShareOneRequestAndALaterReadTakesANewOne)
{
    TScript script;
    script.Counters = {{1, 100, 200}, {4, 5 * 1024ull * 1024 * 1024, 7}, {9, 0, 0}};
    TTrafficCounterPass pass = MakePass(script);
    TTrafficCounters c;
    for (int reader = 0; reader < 500; ++reader) {
        ASSERT_EQ(1, pass.Read(4, c));
        script.Clock.Ms += 1; // readers spread over the next half second
    }
    EXPECT_EQ(1, script.Requests);
    EXPECT_EQ(5 * 1024ull * 1024 * 1024, c.InOctets);
    EXPECT_EQ(7u, c.OutOctets);
    EXPECT_TRUE(c.Wide);
    EXPECT_EQ(1, pass.Read(9, c));
    EXPECT_TRUE(c.Wide) << "a fresh link at 0 and 0 is a 64-bit reading";
    // An index the pass does not have is gone: a failed read, not a reason to ask again.
    EXPECT_EQ(0, pass.Read(5, c));
    EXPECT_EQ(0u, c.InOctets);
    EXPECT_EQ(1, script.Requests);

    script.Counters[0].InOctets = 150;
    script.Clock.Ms += TTrafficCounterPass::MaxAgeMs;
    ASSERT_EQ(1, pass.Read(1, c));
    EXPECT_EQ(150u, c.InOctets);
    EXPECT_EQ(2, script.Requests);
    // A refresh of the interfaces makes the next read ask again; so does a clock that went back.
    pass.Invalidate();
    pass.Read(1, c);
    EXPECT_EQ(3, script.Requests);
    script.Clock.Ms -= 5000;
    pass.Read(1, c);
    EXPECT_EQ(4, script.Requests);
    EXPECT_EQ(4u, pass.Passes());
}

TEST(TrafficCounterPass, AFailedOrMissingRequestSendsReadersToTheRowsWithoutAskingEachTime)
{
    TScript script;
    script.Counters = {{1, 100, 200}};
    script.Result = -1;
    TTrafficCounterPass pass = MakePass(script);
    TTrafficCounters c{1, 1, true};
    EXPECT_EQ(-1, pass.Read(1, c));
    EXPECT_EQ(0u, c.InOctets);
    EXPECT_FALSE(c.Wide);
    EXPECT_EQ(-1, pass.Read(1, c));
    EXPECT_EQ(1, script.Requests) << "a failed pass is not asked again before it is as old as a good one";
    script.Result = 1;
    script.Clock.Ms += TTrafficCounterPass::MaxAgeMs;
    EXPECT_EQ(1, pass.Read(1, c));
    EXPECT_EQ(100u, c.InOctets);

    // A system without the request is never asked again.
    script.Result = 0;
    pass.Invalidate();
    EXPECT_EQ(-1, pass.Read(1, c));
    script.Result = 1;
    pass.Invalidate();
    EXPECT_EQ(-1, pass.Read(1, c));
    EXPECT_EQ(3, script.Requests);
}

} // namespace
} // namespace qn
