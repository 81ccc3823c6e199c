// Which interfaces are uplinks: the rule over the kernel's facts, and the classes the history
// file keeps for interfaces that are gone.
#include "history/history_store.h"
#include "history/interface_class.h"

#include "history/history_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace qn {
namespace {

using C = TInterfaceClass;

TInterfaceFacts Facts(const char* AName, std::uint16_t AArp, const char* AKind, bool ADevice, bool ARoute,
                      bool ALoop = false)
{
    return {AName, 0, AArp, AKind, ALoop, ADevice, ARoute};
}

TEST(InterfaceClass, EachLinkIsClassedByWhatItIsAndTunnelsNeverCountEvenOnTheDefaultRoute)
{
    struct TCase
    {
        TInterfaceFacts Facts;
        bool PhysicalPresent;
        C Expected;
    };
    const TCase cases[] = {
        {Facts("lo", 772, "", false, false, true), true, C::icLoopback},
        {Facts("lo2", 772, "", false, false), false, C::icLoopback},
        {Facts("eth0", 1, "", true, true), true, C::icPhysical},
        {Facts("wlan0", 1, "", true, false), true, C::icPhysical},
        {Facts("wwan0", 65534, "", true, false), true, C::icPhysical}, // a raw-IP modem: link type "none"
        // A modem's links as the kernel makes them: pppd's (kind "ppp", link type PPP), a WWAN
        // link (kind "wwan", raw IP): uplinks beside a physical link, on the default route or not.
        {Facts("ppp0", 512, "ppp", false, true), true, C::icPhysical},
        {Facts("ppp1", 512, "ppp", false, false), true, C::icPhysical},
        {Facts("wwan1", 519, "wwan", false, true), true, C::icPhysical},
        {Facts("wwan2", 65534, "wwan", false, false), true, C::icPhysical},
        {Facts("rmnet0", 519, "", false, false), true, C::icPhysical},
        {Facts("veth0", 1, "veth", false, false), false, C::icVirtual},
        // A container's only way out.
        {Facts("eth0", 1, "veth", false, true), false, C::icDefaultRoute},
        // A bridge over the host's own device carries the route; the device counts its bytes.
        {Facts("br0", 1, "bridge", false, true), true, C::icVirtual},
        {Facts("bond0", 1, "bond", false, true), true, C::icVirtual},
        {Facts("dummy0", 1, "dummy", false, false), false, C::icVirtual},
        {Facts("tun0", 65534, "tun", false, true), true, C::icTunnel},
        {Facts("tap0", 1, "tun", false, false), false, C::icTunnel},
        {Facts("wg0", 65534, "wireguard", false, true), false, C::icTunnel},
        {Facts("ipip0", 768, "ipip", false, false), false, C::icTunnel},
        {Facts("gre1", 778, "", false, false), false, C::icTunnel},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ClassifyInterface(c.Facts, c.PhysicalPresent), c.Expected)
            << c.Facts.Name << " (" << InterfaceClassName(c.Expected) << ")";
}

TEST(InterfaceClass, APhysicalLinkAnywhereDecidesForTheSoftwareLinksOnTheRoute)
{
    const std::vector<TInterfaceFacts> host = {Facts("lo", 772, "", false, false, true),
                                               Facts("eth0", 1, "", true, false),
                                               Facts("br0", 1, "bridge", false, true)};
    EXPECT_EQ(ClassifyInterfaces(host).at("br0"), C::icVirtual);
    // A laptop on a USB modem: the Ethernet port is there, the traffic goes over pppd's link.
    const std::vector<TInterfaceFacts> laptop = {Facts("lo", 772, "", false, false, true),
                                                 Facts("eth0", 1, "", true, false), Facts("wlan0", 1, "", true, false),
                                                 Facts("ppp0", 512, "ppp", false, true)};
    EXPECT_EQ(UplinkNames({"eth0", "lo", "ppp0", "wlan0"}, {}, ClassifyInterfaces(laptop)),
              (std::vector<std::string>{"eth0", "ppp0", "wlan0"}));
    const std::vector<TInterfaceFacts> container = {Facts("lo", 772, "", false, false, true),
                                                    Facts("eth0", 1, "veth", false, true)};
    const auto classes = ClassifyInterfaces(container);
    EXPECT_EQ(classes.at("eth0"), C::icDefaultRoute);
    EXPECT_EQ(classes.at("lo"), C::icLoopback);
}

TEST(InterfaceClass, UplinksAreChosenByTheClassNowElseByTheRecordedOneAndUnknownCounts)
{
    const std::vector<std::string> names = {"eth0", "lo", "old-veth", "old-wifi", "unclassed", "veth1"};
    const std::map<std::string, C> recorded = {
        {"old-veth", C::icVirtual}, {"old-wifi", C::icPhysical}, {"veth1", C::icPhysical}};
    const std::map<std::string, C> present = {{"eth0", C::icPhysical}, {"lo", C::icLoopback}, {"veth1", C::icVirtual}};
    EXPECT_EQ(UplinkNames(names, recorded, present), (std::vector<std::string>{"eth0", "old-wifi", "unclassed"}));
}

TEST(InterfaceClass, TheFileKeepsEachClassAcrossAnUpgradeAndForInterfacesThatAreGone)
{
    test::TPinnedZone zone;
    test::TTempFolder folder;
    const std::string path = folder.File("history.sqlite");
    // A version-1 file with traffic of eth0, as the previous version wrote it.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(
            sqlite3_exec(db,
                         "CREATE TABLE interface(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
                         "CREATE TABLE hour(interface INTEGER NOT NULL, period INTEGER NOT NULL, download "
                         "INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                         "CREATE TABLE day(interface INTEGER NOT NULL, period INTEGER NOT NULL, download "
                         "INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                         "CREATE TABLE month(interface INTEGER NOT NULL, period INTEGER NOT NULL, download "
                         "INTEGER NOT NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                         "INSERT INTO interface VALUES(1, 'eth0'); INSERT INTO day VALUES(1, 20261201, 5, 6);"
                         "INSERT INTO month VALUES(1, 202612, 5, 6); PRAGMA user_version=1;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }
    std::string moved, error;
    {
        THistoryStore reader;
        ASSERT_TRUE(reader.OpenReadOnly(path, error)) << error;
        EXPECT_TRUE(reader.InterfaceClasses().empty()); // no classes in the old layout, and no failure
        EXPECT_TRUE(reader.QuotaWarnings("day 2026-12-01").empty());
    }
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(path, moved, error), THistoryFailure::hfNone) << error;
    THistoryBatch batch;
    batch.Add("veth9", {2026120912, 20261209, 202612}, 100, 200);
    batch.Classes = {{"veth9", C::icVirtual}, {"eth0", C::icPhysical}, {"lo", C::icLoopback}};
    batch.Warnings = {{"day 2026-12-09", 50}, {"day 2026-12-09", 50}, {"day 2026-12-09", 100}};
    ASSERT_EQ(store.Write(batch, error), THistoryFailure::hfNone) << error;
    store.Close();

    THistoryStore reader;
    ASSERT_TRUE(reader.OpenReadOnly(path, error)) << error;
    EXPECT_EQ(reader.Query(THistoryPeriod::hpDay, "eth0"), (std::vector<THistoryRow>{{20261201, 5, 6}}));
    const auto classes = reader.InterfaceClasses();
    EXPECT_EQ(classes.at("veth9"), C::icVirtual);
    EXPECT_EQ(classes.at("eth0"), C::icPhysical);
    EXPECT_EQ(classes.count("lo"), 0u); // no traffic, no row: nothing to class
    EXPECT_EQ(reader.QuotaWarnings("day 2026-12-09"), (std::vector<int>{50, 100}));
    EXPECT_TRUE(reader.QuotaWarnings("day 2026-12-10").empty());
    // The uplinks' sum leaves the veth out; every interface's keeps it.
    const auto uplinks = UplinkNames(reader.InterfaceNames(), classes, {});
    EXPECT_EQ(uplinks, std::vector<std::string>{"eth0"});
    EXPECT_EQ(reader.QueryNames(THistoryPeriod::hpMonth, uplinks), (std::vector<THistoryRow>{{202612, 5, 6}}));
    EXPECT_EQ(reader.QueryNames(THistoryPeriod::hpMonth, reader.InterfaceNames()),
              (std::vector<THistoryRow>{{202612, 105, 206}}));
}

} // namespace
} // namespace qn
