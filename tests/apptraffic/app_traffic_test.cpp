// Per-application bytes from scripted socket tables: baselines, close events, the uplinks' rest.
#include "apptraffic/app_traffic.h"
#include "apptraffic/app_traffic_monitor.h"
#include "apptraffic/cgroup_directory.h"

#include "support/socket_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace qn {
namespace {

constexpr std::uint32_t Me = 1000;
constexpr std::uint64_t FirefoxGroup = 101, MailGroup = 102, SessionGroup = 103;

std::vector<TCgroupEntry> Tree()
{
    return {{1, "/"},
            {FirefoxGroup, "/user.slice/user-1000.slice/user@1000.service/app.slice/app-gnome-firefox-42.scope"},
            {MailGroup, "/user.slice/user-1000.slice/user@1000.service/app.slice/app-thunderbird@9.service"},
            {SessionGroup, "/user.slice/user-1000.slice/session-2.scope"}};
}

TSocketRecord Tcp(std::uint64_t ACookie, std::uint64_t AGroup, std::uint64_t AIn, std::uint64_t AOut)
{
    return test::TcpSocket(ACookie, AGroup, AIn, AOut, Me);
}

TSocketTable Table(std::uint64_t ATick, std::vector<TSocketRecord> ASockets)
{
    return {ATick, std::move(ASockets)};
}

TUplinkReading Uplinks(std::uint64_t ATick, std::uint64_t AIn, std::uint64_t AOut)
{
    return {true, ATick, AIn, AOut};
}

const TAppRow* Row(const TAppTraffic& ATraffic, const std::string& AId)
{
    for (const TAppRow& row : ATraffic.Rows())
        if (row.Unit.Id == AId)
            return &row;
    return nullptr;
}

struct AppTraffic : ::testing::Test
{
    unsigned Walks = 0;
    std::vector<TCgroupEntry> Groups = Tree();
    TCgroupDirectory Directory{[this](std::vector<TCgroupEntry>& AEntries) {
        ++Walks;
        AEntries = Groups;
        return TCgroupSupport::csAvailable;
    }};
    TAppTraffic Traffic{Directory, Me};
};

TEST_F(AppTraffic, ASocketSeenForTheFirstTimeIsABaselineAndRatesUseTheTablesTimes)
{
    Traffic.Update(Table(10000, {Tcp(1, FirefoxGroup, 5000, 700)}), {}, Uplinks(10000, 0, 0));
    EXPECT_EQ(Row(Traffic, "firefox"), nullptr) << "bytes before the first sight were counted";
    // The next table comes 2.5 s later (a late tick): the rate is over the tables' own interval.
    Traffic.Update(Table(12500, {Tcp(1, FirefoxGroup, 10000, 1700)}), {}, Uplinks(12500, 6000, 1200));
    const TAppRow* row = Row(Traffic, "firefox");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Unit.Kind, TUnitKind::ukApplication);
    EXPECT_EQ(row->TotalIn, 5000u);
    EXPECT_EQ(row->TotalOut, 1000u);
    EXPECT_DOUBLE_EQ(row->RateIn, 2000.0);
    EXPECT_DOUBLE_EQ(row->RateOut, 400.0);
    EXPECT_EQ(Traffic.Unattributed().TotalIn, 1000u);
    EXPECT_EQ(Traffic.Unattributed().TotalOut, 200u);
    EXPECT_NEAR(Traffic.AttributedShare(), 6000.0 / 7200.0, 1e-9);
}

TEST_F(AppTraffic, CloseEventsAreJoinedByCookieSoTheLastSecondIsNotLost)
{
    Traffic.Update(Table(1000, {Tcp(1, FirefoxGroup, 100, 100), Tcp(2, MailGroup, 0, 0)}), {}, {});
    Traffic.Update(Table(2000, {Tcp(1, FirefoxGroup, 300, 200), Tcp(2, MailGroup, 50, 0)}), {}, {});
    // Socket 1 closed after that table with 1,000 more bytes in; a close of a socket no table saw
    // (cookie 9) belongs to nobody.
    Traffic.Update(Table(3000, {Tcp(2, MailGroup, 50, 0)}), {{1, 1300, 400, false}, {9, 5000, 5000, false}}, {});
    EXPECT_EQ(Row(Traffic, "firefox")->TotalIn, 1200u);
    EXPECT_EQ(Row(Traffic, "firefox")->TotalOut, 300u);
    EXPECT_EQ(Row(Traffic, "firefox")->LastIn, 1000u);
    EXPECT_EQ(Traffic.TrackedSockets(), 1u);

    // The kernel sends a close from a work queue: the socket may be gone from a table before its
    // event comes. It is kept for that event...
    Traffic.Update(Table(4000, {}), {}, {});
    Traffic.Update(Table(5000, {}), {{2, 80, 10, false}}, {});
    EXPECT_EQ(Row(Traffic, "thunderbird")->TotalIn, 80u);
    EXPECT_EQ(Row(Traffic, "thunderbird")->TotalOut, 10u);
    // ...but not for ever.
    Traffic.Update(Table(6000, {Tcp(3, MailGroup, 0, 0)}), {}, {});
    Traffic.Update(Table(6000 + TAppTraffic::CloseGrace + 1, {}), {}, {});
    EXPECT_EQ(Traffic.TrackedSockets(), 0u);
}

TEST_F(AppTraffic, LoopbackSocketsAndCountersThatGoBackwardsCountNothing)
{
    TSocketRecord local = Tcp(1, FirefoxGroup, 0, 0);
    local.Loopback = true;
    Traffic.Update(Table(1000, {local, Tcp(2, FirefoxGroup, 9000, 9000)}), {}, {});
    local.BytesReceived = local.BytesAcked = 1000000;
    Traffic.Update(Table(2000, {local, Tcp(2, FirefoxGroup, 100, 100)}), {{1, 2000000, 2000000, true}}, {});
    EXPECT_EQ(Row(Traffic, "firefox"), nullptr);
    Traffic.Update(Table(3000, {Tcp(2, FirefoxGroup, 150, 130)}), {}, {});
    ASSERT_NE(Row(Traffic, "firefox"), nullptr);
    EXPECT_EQ(Row(Traffic, "firefox")->TotalIn, 50u);
    EXPECT_EQ(Row(Traffic, "firefox")->TotalOut, 30u);
}

TEST_F(AppTraffic, OwnersWithoutAnApplicationFallToTheSessionServicesOrTheirUser)
{
    TSocketRecord other = Tcp(3, 1, 0, 0);
    other.Uid = 33;
    TSocketRecord udp = Tcp(4, MailGroup, 0, 0);
    udp.Protocol = TSocketProtocol::spUdp;
    udp.HasCounters = false;
    Traffic.Update(Table(1000, {Tcp(1, SessionGroup, 0, 0), Tcp(2, 1, 0, 0), other, udp}), {}, {});
    Traffic.Update(Table(2000, {Tcp(1, SessionGroup, 10, 0), Tcp(2, 1, 20, 0), Tcp(3, 1, 0, 0), udp}), {}, {});
    other.BytesReceived = 40;
    Traffic.Update(Table(3000, {Tcp(1, SessionGroup, 10, 0), Tcp(2, 1, 20, 0), other, udp}), {}, {});
    ASSERT_NE(Row(Traffic, "session"), nullptr);
    EXPECT_EQ(Row(Traffic, "session")->TotalIn, 30u) << "the session scope and a socket of no unit";
    ASSERT_NE(Row(Traffic, "33"), nullptr);
    EXPECT_EQ(Row(Traffic, "33")->Unit.Kind, TUnitKind::ukUser);
    EXPECT_EQ(Row(Traffic, "33")->TotalIn, 40u);
    ASSERT_NE(Row(Traffic, "thunderbird"), nullptr) << "an application with only UDP is listed with its mark";
    EXPECT_TRUE(Row(Traffic, "thunderbird")->UsesUdp);
    EXPECT_EQ(Row(Traffic, "thunderbird")->TotalIn, 0u);
}

TEST_F(AppTraffic, ACgroupNotYetKnownIsLookedUpAgainAtMostEveryFewSeconds)
{
    constexpr std::uint64_t NewGroup = 200;
    Traffic.Update(Table(1000, {Tcp(1, NewGroup, 0, 0)}), {}, {});
    EXPECT_EQ(Walks, 1u);
    // The scope appears; readings within the interval do not walk again, however many sockets ask.
    Groups.push_back({NewGroup, "/app.slice/app-org.example.Chat-5.scope"});
    Traffic.Update(Table(2000, {Tcp(1, NewGroup, 10, 0), Tcp(2, NewGroup + 1, 0, 0), Tcp(3, NewGroup + 2, 0, 0)}), {},
                   {});
    Traffic.Update(Table(3000, {Tcp(1, NewGroup, 20, 0)}), {}, {});
    EXPECT_EQ(Walks, 1u);
    Traffic.Update(Table(1000 + TCgroupDirectory::WalkInterval, {Tcp(1, NewGroup, 30, 0)}), {}, {});
    EXPECT_EQ(Walks, 2u);
    ASSERT_NE(Row(Traffic, "org.example.Chat"), nullptr);
    EXPECT_EQ(Row(Traffic, "org.example.Chat")->TotalIn, 10u) << "from the reading that knew it";
    // Known ids, and unknown ones of sockets that are gone, never walk again.
    for (std::uint64_t t = 7000; t < 30000; t += 1000)
        Traffic.Update(Table(t, {Tcp(1, NewGroup, 30, 0)}), {}, {});
    EXPECT_EQ(Walks, 2u);
    // A socket whose cgroup never shows up asks once per interval, not once per reading.
    for (std::uint64_t t = 30000; t < 30000 + 3 * TCgroupDirectory::WalkInterval; t += 1000)
        Traffic.Update(Table(t, {Tcp(4, 999, 0, 0)}), {}, {});
    EXPECT_EQ(Walks, 5u);
}

TEST_F(AppTraffic, TheLimitNamesWhyApplicationsCannotBeTold)
{
    TSocketRecord noId = Tcp(1, 0, 0, 0);
    noId.HasCgroupId = false;
    Traffic.Update(Table(1000, {noId}), {}, {});
    noId.BytesReceived = 5;
    Traffic.Update(Table(2000, {noId}), {}, {});
    EXPECT_EQ(Traffic.Limit(), TAttributionLimit::alNoCgroupIds);
    EXPECT_EQ(Row(Traffic, "session")->TotalIn, 5u);

    TCgroupDirectory none([](std::vector<TCgroupEntry>& AEntries) {
        AEntries.clear();
        return TCgroupSupport::csNoHierarchy;
    });
    TAppTraffic flat(none, Me);
    flat.Update(Table(1000, {Tcp(1, FirefoxGroup, 0, 0)}), {}, {});
    EXPECT_EQ(flat.Limit(), TAttributionLimit::alNoHierarchy);

    TAppTraffic sessionOnly(Directory, Me);
    sessionOnly.Update(Table(1000, {Tcp(1, SessionGroup, 0, 0)}), {}, {});
    sessionOnly.Update(Table(2000, {Tcp(1, SessionGroup, 1, 0)}), {}, {});
    EXPECT_EQ(sessionOnly.Limit(), TAttributionLimit::alNoUnits);
}

TEST(AppTrafficMonitor, LostCloseEventsMakeItReadTheTableAgain)
{
    std::deque<int> closeResults = {1, -1, 1};
    unsigned tables = 0;
    std::uint64_t tick = 0;
    TAppTrafficSources sources;
    sources.ReadTable = [&](TSocketTable& ATable) {
        ++tables;
        tick += 1000;
        ATable = Table(tick, {Tcp(1, FirefoxGroup, tick, 0)});
        return 1;
    };
    sources.ReadCloses = [&](std::vector<TSocketClose>&) {
        const int result = closeResults.front();
        closeResults.pop_front();
        return result;
    };
    sources.ReadUplinks = [] { return TUplinkReading{}; };
    sources.WalkCgroups = [](std::vector<TCgroupEntry>& AEntries) {
        AEntries = Tree();
        return TCgroupSupport::csAvailable;
    };
    TAppTrafficMonitor monitor(sources);
    monitor.Step();
    EXPECT_EQ(tables, 1u);
    monitor.Step();
    EXPECT_EQ(tables, 3u) << "an overrun reads the table again at once";
    monitor.Step();
    EXPECT_EQ(tables, 4u);
    ASSERT_FALSE(monitor.Traffic().Rows().empty());
    EXPECT_EQ(monitor.Traffic().Rows().front().TotalIn, 3000u);
}

TEST(AppTrafficMonitor, WhileNothingCrossesTheUplinksTheTableIsNotReadAndClosesWait)
{
    unsigned tables = 0;
    std::uint64_t tick = 0, uplinkIn = 0;
    std::vector<TSocketRecord> sockets = {Tcp(1, FirefoxGroup, 0, 0), Tcp(2, FirefoxGroup, 0, 0)};
    std::vector<TSocketClose> closes;
    TAppTrafficSources sources;
    sources.ReadTable = [&](TSocketTable& ATable) {
        ++tables;
        ATable = Table(tick, sockets);
        return 1;
    };
    sources.ReadCloses = [&](std::vector<TSocketClose>& ACloses) {
        ACloses.insert(ACloses.end(), closes.begin(), closes.end());
        closes.clear();
        return 1;
    };
    sources.ReadUplinks = [&] { return Uplinks(tick, uplinkIn, 0); };
    sources.WalkCgroups = [](std::vector<TCgroupEntry>& AEntries) {
        AEntries = Tree();
        return TCgroupSupport::csAvailable;
    };
    TAppTrafficMonitor monitor(sources);
    monitor.Step();
    for (tick = 1000; tick <= 5000; tick += 1000)
        monitor.Step();
    EXPECT_EQ(tables, 1u) << "a still network costs no dump";
    // Socket 2 closes with 400 bytes while the uplinks are still (they were not: the close is
    // drained now, the bytes cross at the next second), then traffic resumes.
    closes = {{2, 400, 0, false}};
    sockets.pop_back();
    tick = 6000;
    monitor.Step();
    uplinkIn = 1000;
    tick = 7000;
    sockets[0].BytesReceived = 500;
    monitor.Step();
    EXPECT_EQ(tables, 2u);
    ASSERT_FALSE(monitor.Traffic().Rows().empty());
    EXPECT_EQ(monitor.Traffic().Rows().front().TotalIn, 900u) << "the waiting close was joined";
    EXPECT_DOUBLE_EQ(monitor.Traffic().Rows().front().RateIn, 900.0 / 7.0) << "over the tables' own interval";
}

// A scripted kernel for the monitor: its sockets, keyed by cookie, the connections opened so far,
// and the uplinks, which carry what the sockets move plus a twentieth for the headers.
struct TScriptedKernel
{
    std::uint64_t Tick = 0, Opens = 0, In = 0, Out = 0;
    std::vector<TSocketRecord> Sockets;
    std::vector<TSocketClose> Closes;
    std::vector<std::size_t> LookedUp; // how many sockets each look asked for

    void Open(TSocketRecord ARecord)
    {
        ARecord.Key.Family = 2;
        ARecord.Key.Id[0] = static_cast<std::uint8_t>(ARecord.Cookie);
        Sockets.push_back(ARecord);
        ++Opens;
    }
    void Move(std::uint64_t ACookie, std::uint64_t AIn, std::uint64_t AOut)
    {
        for (TSocketRecord& socket : Sockets)
            if (socket.Cookie == ACookie) {
                socket.BytesReceived += AIn;
                socket.BytesAcked += AOut;
            }
        In += AIn + AIn / 20;
        Out += AOut + AOut / 20;
    }
    // Traffic no socket counts (UDP, other protocols).
    void Other(std::uint64_t AIn) { In += AIn; }
    void Close(std::uint64_t ACookie)
    {
        for (auto it = Sockets.begin(); it != Sockets.end(); ++it)
            if (it->Cookie == ACookie) {
                Closes.push_back({ACookie, it->BytesReceived, it->BytesAcked, false});
                Sockets.erase(it);
                return;
            }
    }

    TAppTrafficSources Sources()
    {
        TAppTrafficSources sources;
        sources.ReadTable = [this](TSocketTable& ATable) {
            ATable = Table(Tick, Sockets);
            return 1;
        };
        sources.ReadSockets = [this](const std::vector<TSocketKey>& AKeys, TSocketTable& ATable) {
            LookedUp.push_back(AKeys.size());
            ATable = Table(Tick, {});
            ATable.Partial = true;
            for (const TSocketKey& key : AKeys)
                for (const TSocketRecord& socket : Sockets)
                    if (socket.Key.Id[0] == key.Id[0])
                        ATable.Sockets.push_back(socket);
            return 1;
        };
        sources.ReadOpenCount = [this](std::uint64_t& ACount) {
            ACount = Opens;
            return 1;
        };
        sources.ReadCloses = [this](std::vector<TSocketClose>& ACloses) {
            ACloses.insert(ACloses.end(), Closes.begin(), Closes.end());
            Closes.clear();
            return 1;
        };
        sources.ReadUplinks = [this] { return Uplinks(Tick, In, Out); };
        sources.WalkCgroups = [](std::vector<TCgroupEntry>& AEntries) {
            AEntries = Tree();
            return TCgroupSupport::csAvailable;
        };
        return sources;
    }
};

// While no connection was opened, a look at the sockets that moved lately (or are new since the last
// table) stands in for the whole table, as long as it accounts for what crossed the uplinks; a socket that wakes up
// unlooked-at, a new connection or ten seconds make the reading whole, and the figures are those of
// whole tables every second.
TEST(AppTrafficMonitor, ALookAtTheBusySocketsStandsInForTheWholeTableWhileItAccountsForTheUplinks)
{
    TScriptedKernel kernel;
    kernel.Open(Tcp(1, FirefoxGroup, 0, 0));
    kernel.Open(Tcp(2, MailGroup, 0, 0));
    kernel.Open(Tcp(4, MailGroup, 0, 0));
    TSocketRecord udp = Tcp(9, MailGroup, 0, 0);
    udp.Protocol = TSocketProtocol::spUdp;
    udp.HasCounters = false;
    kernel.Open(udp);
    TAppTrafficMonitor monitor(kernel.Sources());
    const auto step = [&](std::uint64_t ATick) {
        kernel.Tick = ATick;
        monitor.Step();
    };
    const auto firefox = [&] { return Row(monitor.Traffic(), "firefox"); };
    const auto thunderbird = [&] { return Row(monitor.Traffic(), "thunderbird"); };
    step(1000);
    // Socket 1 moves every second for a minute: looks, and a whole table every ten seconds.
    for (std::uint64_t tick = 2000; tick <= 62000; tick += 1000) {
        kernel.Move(1, 1000, 100);
        step(tick);
    }
    // The first second's kilobyte is within what a look may leave unexplained: it reaches firefox
    // with the next whole table, and the socket is looked at from then on.
    EXPECT_EQ(monitor.Tables(), 7u) << "the first, then one every ten seconds";
    EXPECT_EQ(monitor.Looks(), 55u);
    EXPECT_EQ(kernel.LookedUp.back(), 1u) << "only the socket that moved is asked for";
    ASSERT_NE(firefox(), nullptr);
    EXPECT_EQ(firefox()->TotalIn, 61000u);
    EXPECT_DOUBLE_EQ(firefox()->RateIn, 1000.0);
    ASSERT_NE(thunderbird(), nullptr);
    EXPECT_TRUE(thunderbird()->UsesUdp) << "a look keeps what the whole table told of UDP";

    // The quiet mail socket wakes up: the look cannot account for the uplinks, so the same second is
    // read whole and the bytes reach their application at once.
    kernel.Move(2, 50000, 0);
    kernel.Move(1, 1000, 0);
    step(63000);
    EXPECT_EQ(monitor.Tables(), 8u);
    EXPECT_EQ(thunderbird()->TotalIn, 50000u);
    EXPECT_DOUBLE_EQ(thunderbird()->RateIn, 50000.0);

    // A new connection: its socket is in no table yet, so the next reading is whole; from then on it
    // is looked at, so the download it starts counts in its own second.
    kernel.Open(Tcp(3, FirefoxGroup, 0, 0));
    kernel.Other(120); // its handshake
    step(64000);
    EXPECT_EQ(monitor.Tables(), 9u);
    kernel.Move(3, 400000, 4000);
    step(65000);
    EXPECT_EQ(monitor.Tables(), 9u);
    EXPECT_DOUBLE_EQ(firefox()->RateIn, 400000.0);

    // Socket 3 closes after moving more: the look no longer finds it, its close event tells the rest.
    kernel.Move(3, 7000, 0);
    kernel.Close(3);
    step(66000);
    EXPECT_EQ(monitor.Tables(), 9u);
    EXPECT_EQ(firefox()->TotalIn, 62000u + 407000);
    std::uint64_t attributedIn = 0;
    for (const TAppRow& row : monitor.Traffic().Rows())
        attributedIn += row.TotalIn;
    EXPECT_EQ(attributedIn + monitor.Traffic().Unattributed().TotalIn, kernel.In);

    // A call over UDP beside the sockets: its first second is read whole, which finds that no socket
    // moves it; then looks go on beside it, until a quiet socket wakes with more.
    for (std::uint64_t tick = 67000; tick <= 74000; tick += 1000) {
        kernel.Other(200000);
        step(tick);
    }
    EXPECT_EQ(monitor.Tables(), 10u) << "the call's first second only";
    kernel.Other(200000);
    kernel.Move(4, 500000, 0);
    step(75000);
    EXPECT_EQ(monitor.Tables(), 11u);
    EXPECT_DOUBLE_EQ(thunderbird()->RateIn, 500000.0);
}

TEST(AppTrafficMonitor, ASystemWithoutASocketTableSaysSo)
{
    TAppTrafficSources sources;
    sources.ReadTable = [](TSocketTable&) { return 0; };
    sources.ReadCloses = [](std::vector<TSocketClose>&) { return 0; };
    sources.ReadUplinks = [] { return TUplinkReading{}; };
    sources.WalkCgroups = [](std::vector<TCgroupEntry>&) { return TCgroupSupport::csUnsupported; };
    TAppTrafficMonitor monitor(sources);
    monitor.Step();
    EXPECT_EQ(monitor.Traffic().Limit(), TAttributionLimit::alNoSocketTable);
    EXPECT_TRUE(monitor.Traffic().Rows().empty());
}

TEST(UplinkCounters, EachInterfaceKeepsItsOwnBaselineAndOnlyUplinksCount)
{
    std::vector<TInterfaceFacts> facts(3);
    facts[0].Name = "lo", facts[0].Index = 1, facts[0].Loopback = true;
    facts[1].Name = "eth0", facts[1].Index = 2, facts[1].HasDevice = true;
    facts[2].Name = "veth9", facts[2].Index = 3, facts[2].Kind = "veth";
    std::vector<TLinkCounters> counters = {{1, 500, 500}, {2, 1000, 100}, {3, 7, 7}};
    std::uint64_t tick = 0;
    TUplinkCounters uplinks(
        [&](std::vector<TInterfaceFacts>& AFacts) {
            AFacts = facts;
            return true;
        },
        [&](std::vector<TLinkCounters>& ACounters) {
            ACounters = counters;
            return 1;
        },
        [&] { return tick; });
    EXPECT_TRUE(uplinks.Read().Valid);
    tick = 1000;
    counters = {{1, 900, 900}, {2, 1500, 150}, {3, 70, 70}, {4, 99999, 99999}};
    facts.push_back({});
    facts.back().Name = "wlan0", facts.back().Index = 4, facts.back().HasDevice = true;
    TUplinkReading reading = uplinks.Read();
    EXPECT_EQ(reading.In, 500u) << "a new uplink adds what it moves from now on, not its earlier counts";
    EXPECT_EQ(reading.Out, 50u);
    tick = 2000;
    counters = {{2, 10, 10}, {4, 100099, 100000}};
    reading = uplinks.Read();
    EXPECT_EQ(reading.In, 600u) << "a re-created link starts a new baseline";
    EXPECT_EQ(reading.Out, 51u);
    EXPECT_EQ(reading.Tick, 2000u);
}

TEST(UplinkCounters, ClassesAreReadAgainWhenALinkComesOrGoesOrTheDefaultRouteMovesNotOnATimer)
{
    // tap0 has no device and no kind: an uplink only while a default route leaves through it.
    std::vector<std::uint32_t> routes;
    std::vector<TInterfaceFacts> present(3);
    present[0].Name = "lo", present[0].Index = 1, present[0].Loopback = true;
    present[1].Name = "eth0", present[1].Index = 2, present[1].HasDevice = true;
    present[2].Name = "tap0", present[2].Index = 3, present[2].ArpType = 1;
    int factReads = 0, routeReads = 0;
    std::uint64_t k = 0;
    TUplinkCounters uplinks(
        [&](std::vector<TInterfaceFacts>& AFacts) {
            ++factReads;
            AFacts = present;
            for (TInterfaceFacts& f : AFacts)
                f.DefaultRoute = std::find(routes.begin(), routes.end(), f.Index) != routes.end();
            return true;
        },
        [&](std::vector<TLinkCounters>& ACounters) {
            ACounters.clear();
            for (const TInterfaceFacts& f : present)
                ACounters.push_back({f.Index, f.Index == 1 ? 100 * k : f.Index == 2 ? 10 * k : 1000 * k, 5 * k});
            return 1;
        },
        [&] { return k * 1000; },
        [&](std::vector<std::uint32_t>& ARoutes) {
            ++routeReads;
            ARoutes = routes;
            return true;
        });
    TUplinkReading reading;
    for (k = 0; k < 70; ++k)
        reading = uplinks.Read();
    EXPECT_EQ(factReads, 1) << "an unchanged network is not read again";
    EXPECT_EQ(routeReads, 6) << "only its default routes, every ten seconds";
    EXPECT_EQ(reading.In, 690u) << "eth0 alone";

    routes = {3};
    k = 70;
    uplinks.Read();
    EXPECT_EQ(factReads, 2) << "the default route moved to tap0";
    k = 71;
    EXPECT_EQ(uplinks.Read().In, 710u + 1000u) << "tap0 counts from the reading after its class changed";

    present.erase(present.begin() + 1); // eth0 is unplugged
    k = 72;
    EXPECT_EQ(uplinks.Read().In, 1710u + 1000u);
    EXPECT_EQ(factReads, 3) << "a link went";
    routes = {};
    present.push_back({});
    present.back().Name = "tap1", present.back().Index = 4, present.back().ArpType = 1;
    k = 73;
    uplinks.Read();
    EXPECT_EQ(factReads, 4) << "a link came";
}

} // namespace
} // namespace qn
