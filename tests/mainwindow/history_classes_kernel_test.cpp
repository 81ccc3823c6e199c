// "All interfaces" over real traffic in a private network namespace: bytes on the loopback and on
// a veth are left out, bytes on the uplink (a veth that carries the default route) are counted,
// and "Every interface" still sums them all.
#include "history/history_recording.h"
#include "history/history_store.h"
#include "historyview/dlg_qn_history.h"
#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_pass.h"

#include "support/network_namespace.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <linux/if_ether.h>

namespace qn {
namespace {

std::uint64_t Sum(const std::vector<THistoryRow>& ARows)
{
    std::uint64_t sum = 0;
    for (const THistoryRow& row : ARows)
        sum += row.Total();
    return sum;
}

TEST(HistoryClassesKernel, AllInterfacesLeavesOutLoopbackAndVethTrafficThatEveryInterfaceCounts)
{
    if (const std::string reason = test::EnterNetworkNamespace(); !reason.empty())
        GTEST_SKIP() << reason;
    ASSERT_TRUE(test::AddVethPair("qc0", "qc1"));
    ASSERT_TRUE(test::AddVethPair("qu0", "qu1"));
    test::Build("ip addr add 10.79.0.1/24 dev qu0 && ip route add default via 10.79.0.2 dev qu0");
    ASSERT_FALSE(HasFatalFailure());
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("history.sqlite")).toStdString();

    TNetworkConfiguration config;
    config.RefreshData();
    THistoryRecording recording(SystemClock(), path, 0, 0); // every tick reads and writes
    recording.SetInterfaces(config);
    ASSERT_TRUE(recording.Start());
    recording.Tick(); // the baselines
    const std::uint8_t broadcast[6] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
    ASSERT_GT(test::SendFrames("lo", broadcast, 200, 1000 - ETH_HLEN), 0u);
    ASSERT_GT(test::SendFrames("qc0", broadcast, 300, 1000 - ETH_HLEN), 0u);
    ASSERT_GT(test::SendFrames("qu0", broadcast, 50, 1000 - ETH_HLEN), 0u);
    HostCounterPass().Invalidate(); // the next read stands for one a second later
    recording.Tick();
    recording.Stop();

    THistoryStore store;
    std::string error;
    ASSERT_TRUE(store.OpenReadOnly(path, error)) << error;
    const std::uint64_t uplink = Sum(store.Query(THistoryPeriod::hpDay, "qu0"));
    const std::uint64_t loopback = Sum(store.Query(THistoryPeriod::hpDay, "lo"));
    const std::uint64_t veth = Sum(store.Query(THistoryPeriod::hpDay, "qc0"));
    EXPECT_GE(uplink, 50u * 1000);
    EXPECT_GE(loopback, 200u * 1000);
    EXPECT_GE(veth, 300u * 1000);

    Tdlg_qn_History dialog(nullptr, path);
    ASSERT_EQ(dialog.cbInterface->currentIndex(), 0);
    EXPECT_EQ(dialog.ChosenNames(), std::vector<std::string>{"qu0"});
    EXPECT_EQ(Sum(dialog.Rows()), uplink);
    EXPECT_TRUE(dialog.lScope->text().contains(QStringLiteral("qu0")));
    EXPECT_FALSE(dialog.lScope->text().contains(QStringLiteral("qc0")));
    dialog.cbInterface->setCurrentIndex(1); // "Every interface"
    EXPECT_GE(Sum(dialog.Rows()), uplink + loopback + veth);
    EXPECT_GE(dialog.cbInterface->findText(QStringLiteral("lo (loopback)")), 2);
    EXPECT_GE(dialog.cbInterface->findText(QStringLiteral("qc0 (virtual)")), 2);

    // Gone, they keep their classes: the file says what they were.
    test::Build("ip link del qc0 && ip link del qu0");
    ASSERT_FALSE(HasFatalFailure());
    Tdlg_qn_History later(nullptr, path);
    EXPECT_EQ(later.ChosenNames(), std::vector<std::string>{"qu0"});
    EXPECT_EQ(Sum(later.Rows()), uplink);
}

} // namespace
} // namespace qn
