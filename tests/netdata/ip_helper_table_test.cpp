// The IP helper binding: lookup of every name, the result rule, and the test guard.
#include "netdata/ip_helper_table.h"

#include "platform/ip_helper.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <utility>

namespace qn {
namespace {

DWORD FakeGetAdaptersInfo(PIP_ADAPTER_INFO, PULONG)
{
    return ERROR_NO_DATA;
}

DWORD FakeGetIfEntry(PMIB_IFROW)
{
    return NO_ERROR;
}

TEST(IpHelperBinding, HostProviderBindsTheFunctionsItImplements)
{
    BindIpHelper();
    const TIpHelperTable& table = IpHelper();
    EXPECT_NE(table.Library, nullptr);
    EXPECT_NE(table.GetIfEntry, nullptr);
    EXPECT_NE(table.GetIfEntry2, nullptr);
    EXPECT_NE(table.NotifyAddrChange, nullptr);
    EXPECT_NE(table.GetBestInterface, nullptr);
#ifdef _WIN32
    // The system's own library has every function the table names.
    EXPECT_NE(table.GetIfTable, nullptr);
    EXPECT_NE(table.SendARP, nullptr);
    EXPECT_NE(table.GetExtendedTcpTable, nullptr);
#else
    // Bound on Windows but never called here: the provider leaves them out.
    EXPECT_EQ(table.GetIfTable, nullptr);
    EXPECT_EQ(table.SendARP, nullptr);
    EXPECT_EQ(table.GetExtendedTcpTable, nullptr);
#endif
}

TEST(IpHelperBinding, GuardBindsFromTheFakeAndRestoresTheRealTable)
{
    BindIpHelper();
    const TIpHelperTable real = IpHelper();
    {
        TIpHelperTable fake;
        fake.Library = reinterpret_cast<HANDLE>(1);
        fake.GetAdaptersInfo = &FakeGetAdaptersInfo;
        fake.GetIfEntry = &FakeGetIfEntry;
        TIpHelperTableGuard guard(fake);
        EXPECT_EQ(IpHelper().GetAdaptersInfo, &FakeGetAdaptersInfo);
        EXPECT_EQ(IpHelper().GetIfEntry, &FakeGetIfEntry);
        EXPECT_EQ(IpHelper().GetIfEntry2, nullptr);
        // Every binding repeats the lookups from the fake, not from the host.
        EXPECT_TRUE(BindIpHelper());
        EXPECT_EQ(IpHelper().GetIfEntry2, nullptr);
        EXPECT_EQ(IpHelper().NotifyAddrChange, nullptr);
    }
    EXPECT_EQ(IpHelper().GetIfEntry2, real.GetIfEntry2);
    EXPECT_EQ(IpHelper().GetAdaptersInfo, real.GetAdaptersInfo);
    EXPECT_TRUE(BindIpHelper() == (real.GetAdaptersInfo != nullptr));
}

TEST(IpHelperBinding, FailsWithoutTheLibraryOrWithoutGetAdaptersInfo)
{
    TIpHelperTable noLibrary;
    noLibrary.GetAdaptersInfo = &FakeGetAdaptersInfo;
    {
        TIpHelperTableGuard guard(noLibrary);
        EXPECT_FALSE(BindIpHelper());
        EXPECT_EQ(IpHelper().GetAdaptersInfo, nullptr); // no lookups without a module
    }
    TIpHelperTable noAdaptersInfo;
    noAdaptersInfo.Library = reinterpret_cast<HANDLE>(1);
    noAdaptersInfo.GetIfEntry = &FakeGetIfEntry;
    {
        TIpHelperTableGuard guard(noAdaptersInfo);
        EXPECT_FALSE(BindIpHelper());
        EXPECT_EQ(IpHelper().GetIfEntry, &FakeGetIfEntry);
    }
}

// Each field is written out here by its own name, independently of the binding's walk over the
// table: a field bound under another function's name (same or different type) fails here, while
// every fake-based test would pass.
TEST(IpHelperBinding, EachFieldHoldsTheHostFunctionOfItsOwnName)
{
    BindIpHelper();
    const TIpHelperTable& t = IpHelper();
    const std::pair<const char*, TIpHelperProc> fields[] = {
        {"GetAdaptersInfo", reinterpret_cast<TIpHelperProc>(t.GetAdaptersInfo)},
        {"GetNetworkParams", reinterpret_cast<TIpHelperProc>(t.GetNetworkParams)},
        {"GetInterfaceInfo", reinterpret_cast<TIpHelperProc>(t.GetInterfaceInfo)},
        {"GetIfTable", reinterpret_cast<TIpHelperProc>(t.GetIfTable)},
        {"GetIfEntry", reinterpret_cast<TIpHelperProc>(t.GetIfEntry)},
        {"GetIfTable2", reinterpret_cast<TIpHelperProc>(t.GetIfTable2)},
        {"GetIfEntry2", reinterpret_cast<TIpHelperProc>(t.GetIfEntry2)},
        {"GetNumberOfInterfaces", reinterpret_cast<TIpHelperProc>(t.GetNumberOfInterfaces)},
        {"GetAdapterIndex", reinterpret_cast<TIpHelperProc>(t.GetAdapterIndex)},
        {"GetIpNetTable", reinterpret_cast<TIpHelperProc>(t.GetIpNetTable)},
        {"GetIpAddrTable", reinterpret_cast<TIpHelperProc>(t.GetIpAddrTable)},
        {"SendARP", reinterpret_cast<TIpHelperProc>(t.SendARP)},
        {"GetBestInterface", reinterpret_cast<TIpHelperProc>(t.GetBestInterface)},
        {"GetAdaptersAddresses", reinterpret_cast<TIpHelperProc>(t.GetAdaptersAddresses)},
        {"ConvertInterfaceIndexToLuid", reinterpret_cast<TIpHelperProc>(t.ConvertInterfaceIndexToLuid)},
        {"ConvertInterfaceLuidToAlias", reinterpret_cast<TIpHelperProc>(t.ConvertInterfaceLuidToAlias)},
        {"GetIpInterfaceEntry", reinterpret_cast<TIpHelperProc>(t.GetIpInterfaceEntry)},
        {"AllocateAndGetTcpExTableFromStack", reinterpret_cast<TIpHelperProc>(t.AllocateAndGetTcpExTableFromStack)},
        {"AllocateAndGetUdpExTableFromStack", reinterpret_cast<TIpHelperProc>(t.AllocateAndGetUdpExTableFromStack)},
        {"NotifyAddrChange", reinterpret_cast<TIpHelperProc>(t.NotifyAddrChange)},
        {"GetExtendedTcpTable", reinterpret_cast<TIpHelperProc>(t.GetExtendedTcpTable)},
        {"GetExtendedUdpTable", reinterpret_cast<TIpHelperProc>(t.GetExtendedUdpTable)},
    };
    const HANDLE library = LoadIpHelper();
    std::set<TIpHelperProc> bound;
    for (const auto& [name, proc] : fields) {
        EXPECT_EQ(GetIpHelperProc(library, name), proc) << name;
        if (proc)
            bound.insert(proc);
    }
    EXPECT_EQ(std::size(fields), IpHelperNames.size()) << "a function of the table is missing here";
    if (library) {
        EXPECT_GE(bound.size(), 10u) << "the host provider answers most functions, each with its own";
    }
}

} // namespace
} // namespace qn
