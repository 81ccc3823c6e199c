// The recorder over the real counters, inside a private network namespace: frames sent across a
// veth pair show up in the hour and day rows of both ends within one write interval.
#include "history/history_recorder.h"
#include "history/history_store.h"
#include "netdata/ip_helper_counter_source.h"
#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_pass.h"

#include "support/network_namespace.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace qn::test {
namespace {

// The panels' counter source, as the program wires it.
class TPanelCounters final : public ITrafficCounterSource
{
public:
    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs) override
    {
        // The test ticks faster than once a second: each read takes a new counter pass, as the
        // program's reads a second apart do.
        HostCounterPass().Invalidate();
        return FSource.ReadCounters(AIntfIdx, ACounters, ANotBeforeMs);
    }

private:
    TIpHelperCounterSource FSource;
};

// The hardware address the test gives qh1, the end that receives.
const std::uint8_t PeerAddress[6] = {0x02, 0, 0, 0, 0, 0xd1};

const THistoryRow* Only(const std::vector<THistoryRow>& ARows)
{
    return ARows.size() == 1 ? &ARows[0] : nullptr;
}

TEST(HistoryKernel, FramesAcrossAVethPairShowUpInTheHourAndDayRowsWithinTheWriteInterval)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qh0 address 02:00:00:00:00:d0 type veth peer name qh1 address 02:00:00:00:00:d1");
        Build("ip link set qh0 up && ip link set qh1 up");
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        TNetworkConfiguration config;
        config.RefreshData();
        std::vector<THistoryInterface> present;
        for (int i = 0; i < config.AdapterCount(); ++i) {
            const TAdapter a = config.Adapters(static_cast<std::uint16_t>(i));
            present.push_back({a.Name, a.IntfIdx});
        }
        ASSERT_GE(present.size(), 2u);

        TTempFolder folder;
        const std::string path = folder.File("history.sqlite");
        TPanelCounters counters;
        TSystemClock clock;
        constexpr std::uint64_t Interval = 500;
        THistoryRecorder recorder(counters, clock, {path, Interval, 0, 0});
        recorder.SetInterfaces(present);
        ASSERT_TRUE(recorder.Start());
        recorder.Tick(); // the baselines
        const std::size_t sent = SendFrames("qh0", PeerAddress, 300, 1000);
        ASSERT_GT(sent, 300u * 1000u);
        const auto start = std::chrono::steady_clock::now();
        // Ticks as the window's timer would give them, a little faster, until one interval passed.
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(Interval + 50)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            recorder.Tick();
        }
        recorder.Flush();

        THistoryStore store;
        std::string error;
        ASSERT_TRUE(store.OpenReadOnly(path, error)) << error;
        for (THistoryPeriod period : {THistoryPeriod::hpHour, THistoryPeriod::hpDay}) {
            SCOPED_TRACE(PeriodName(period));
            const auto out = store.Query(period, "qh0");
            const auto in = store.Query(period, "qh1");
            // One row each (a run across the hour could split them; the sum is what matters).
            std::uint64_t up = 0, down = 0;
            for (const THistoryRow& row : out)
                up += row.Upload;
            for (const THistoryRow& row : in)
                down += row.Download;
            EXPECT_GE(up, sent);
            EXPECT_GE(down, sent);
            EXPECT_LT(up, sent + 100'000u); // nothing but our frames and the link's own chatter
            EXPECT_TRUE(Only(out) || out.size() == 2u);
        }
        recorder.Stop();
    });
}

} // namespace
} // namespace qn::test
