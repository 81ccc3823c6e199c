// The Windows services against the system's own functions: the IP helper bound by name, the
// overlapped address-change request, the shell's folders, the version library, atomic settings
// writes, the clocks and the removable-drive test.
#include "platform/app_data.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "platform/ip_helper.h"
#include "platform/portable_drive.h"
#include "platform/settings_location.h"
#include "platform/thread_id.h"
#include "platform/version_resource.h"
#include "platform/windows/wide_path.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace qn {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& AFile)
{
    std::ifstream in(AFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Wine's system library answers to a name of its own.
bool UnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(WindowsIpHelper, TheLibraryIsLoadedOnceAndEachFunctionFoundByName)
{
    const HANDLE module = LoadIpHelper();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadIpHelper(), module);
    EXPECT_EQ(static_cast<HMODULE>(module), GetModuleHandleW(L"iphlpapi.dll"));
    for (const char* name : {"GetAdaptersInfo", "GetIfEntry2", "GetIfTable", "GetAdaptersAddresses", "NotifyAddrChange",
                             "GetBestInterface", "ConvertInterfaceLuidToAlias"})
        EXPECT_EQ(GetIpHelperProc(module, name),
                  reinterpret_cast<TIpHelperProc>(GetProcAddress(static_cast<HMODULE>(module), name)))
            << name;
    EXPECT_NE(GetIpHelperProc(module, "GetIfEntry2"), nullptr);
    EXPECT_EQ(GetIpHelperProc(module, "NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(GetIpHelperProc(nullptr, "GetIfEntry2"), nullptr);
    EXPECT_EQ(GetIpHelperProc(module, nullptr), nullptr);
}

TEST(WindowsIpHelper, AnOverlappedChangeRequestWaitsOnItsEventUntilCancelled)
{
    const auto notify = reinterpret_cast<PFN_NotifyAddrChange>(GetIpHelperProc(LoadIpHelper(), "NotifyAddrChange"));
    ASSERT_NE(notify, nullptr);
    const HANDLE event = CreateEvent(false, false);
    ASSERT_NE(event, nullptr);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    HANDLE handle = nullptr;
    ASSERT_EQ(notify(&handle, &overlapped), static_cast<DWORD>(ERROR_IO_PENDING));
    // Nothing changes the addresses here: the request stays pending.
    EXPECT_EQ(WaitForSingleObject(event, 50), static_cast<DWORD>(WAIT_TIMEOUT));
    if (UnderWine()) {
        // A difference of Wine's service, stated rather than hidden: its NotifyAddrChange and
        // CancelIPChangeNotify are stubs, so the request never completes and cannot be cancelled.
        EXPECT_FALSE(qn::CancelIPChangeNotify(&overlapped));
        std::printf("Wine: NotifyAddrChange never signals and CancelIPChangeNotify fails (both stubs)\n");
    } else {
        EXPECT_TRUE(qn::CancelIPChangeNotify(&overlapped));
        EXPECT_FALSE(qn::CancelIPChangeNotify(&overlapped)) << "the request is over";
    }
    EXPECT_FALSE(qn::CancelIPChangeNotify(nullptr));
    EXPECT_TRUE(CloseHandle(event));
}

TEST(WindowsEvent, KernelEventsWakeAcrossThreadsAndBadHandlesFail)
{
    const HANDLE event = CreateEvent(true, false);
    ASSERT_NE(event, nullptr);
    std::thread setter([event] { SetEvent(event); });
    EXPECT_EQ(WaitForSingleObject(event, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    setter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "manual reset stays signalled";
    EXPECT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), static_cast<DWORD>(WAIT_FAILED));
}

TEST(WindowsFolders, TheShellsFoldersAndTheModulesOwnPath)
{
    const std::string appData = GetAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(appData.back(), '\\');
    EXPECT_TRUE(fs::is_directory(win::Widen(appData)));
    const std::string userData = GetUserDataFolder();
    ASSERT_FALSE(userData.empty());
    EXPECT_EQ(userData.back(), '\\');
    const std::string exe = GetExecutablePath();
    EXPECT_TRUE(fs::is_regular_file(win::Widen(exe))) << exe;
    EXPECT_EQ(fs::path(win::Widen(exe)).filename().wstring(), L"qn_test_platform_windows.exe");
    // The settings file goes under the roaming folder, or beside a program on a stick.
    EXPECT_EQ(SettingsFilePath("D:\\Tools\\quarno.exe", true, appData, "Veldo", "Quarno"), "D:\\Tools\\quarno.ini");
    EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Quarno\\quarno.exe", false, "C:\\Users\\u\\AppData\\Roaming\\",
                               "Veldo", "Quarno"),
              "C:\\Users\\u\\AppData\\Roaming\\Veldo\\Quarno\\quarno.ini");
}

TEST(WindowsDrive, TheProgramsOwnFixedDriveAndNonsenseAreNotPortable)
{
    // Wine's drive C: is a fixed drive whose device answers no storage query: not portable.
    EXPECT_FALSE(IsPortableDrive(GetExecutablePath()));
    EXPECT_FALSE(IsPortableDrive(""));
    EXPECT_FALSE(IsPortableDrive("\\\\server\\share\\quarno.exe"));
    EXPECT_FALSE(IsPortableDrive("Q:\\no\\such\\drive.exe"));
}

TEST(WindowsVersion, TheResourceWrittenByWindresReadsTheSameThroughBothQueries)
{
    const std::string exe = GetExecutablePath();
    const auto block = ReadVersionResource(exe);
    ASSERT_TRUE(block.has_value());
    // The version library's own answer over the same bytes.
    std::vector<std::uint8_t> copy = *block;
    copy.resize(copy.size() * 2 + 1024); // the room the library expects behind the block
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    const auto ours = qn::VerQueryValue(*block, "\\");
    ASSERT_TRUE(ours.has_value());
    ASSERT_EQ(ours->size(), sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(std::memcmp(ours->data(), fixed, sizeof(VS_FIXEDFILEINFO)), 0);
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);

    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\040904E4\\ProductName", reinterpret_cast<void**>(&text),
                               &length));
    EXPECT_EQ(win::Narrow(std::wstring_view(text, length > 0 ? length - 1 : 0)), "Quarno");
    EXPECT_EQ(VerQueryString(*block, "\\StringFileInfo\\040904E4\\ProductName"), "Quarno");
    EXPECT_FALSE(ReadVersionResource(exe + ".missing"));
}

TEST(WindowsAtomicFile, ReplacesWholeFilesRefusesReadOnlyOnesAndLeavesNoTemporaries)
{
    test::TTempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string file = dir.Path() + "\\q.ini";
    std::string text;
    EXPECT_EQ(ReadWholeFile(file, text), TFileReadResult::Missing);
    EXPECT_EQ(ReadWholeFile(dir.Path() + "\\no\\such\\q.ini", text), TFileReadResult::Missing);
    EXPECT_EQ(ReadWholeFile(dir.Path(), text), TFileReadResult::NotAFile);

    ASSERT_TRUE(ReplaceFileAtomically(file, "[S]\r\nK=1\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(file, "[S]\r\nK=2\r\n"));
    EXPECT_EQ(ReadWholeFile(file, text), TFileReadResult::Ok);
    EXPECT_EQ(text, "[S]\r\nK=2\r\n");
    EXPECT_EQ(dir.Entries(), 1u) << "no temporary file is left behind";

    const std::wstring wide = win::Widen(file);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(ReplaceFileAtomically(file, "changed"));
    EXPECT_EQ(Slurp(file), "[S]\r\nK=2\r\n");
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(ReplaceFileAtomically(dir.Path(), "a folder is not replaced"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.Path() + "\\missing\\q.ini", "no folder"));
    EXPECT_EQ(dir.Entries(), 1u);

    // A temporary file of a writer killed a while ago goes with the next write; a fresh one stays.
    const std::string stale = dir.Path() + "\\.q.ini.abc123";
    const std::string fresh = dir.Path() + "\\.q.ini.def456";
    std::ofstream(stale) << "x";
    std::ofstream(fresh) << "y";
    const HANDLE old =
        CreateFileW(win::Widen(stale).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(old, INVALID_HANDLE_VALUE);
    FILETIME hourAgo{};
    GetSystemTimeAsFileTime(&hourAgo);
    ULARGE_INTEGER t{};
    t.LowPart = hourAgo.dwLowDateTime;
    t.HighPart = hourAgo.dwHighDateTime;
    t.QuadPart -= 3600ull * 10'000'000ull;
    hourAgo.dwLowDateTime = t.LowPart;
    hourAgo.dwHighDateTime = t.HighPart;
    ASSERT_TRUE(SetFileTime(old, nullptr, nullptr, &hourAgo));
    ::CloseHandle(old);
    ASSERT_TRUE(ReplaceFileAtomically(file, "[S]\r\nK=3\r\n"));
    EXPECT_FALSE(fs::exists(win::Widen(stale)));
    EXPECT_TRUE(fs::exists(win::Widen(fresh)));
}

TEST(WindowsClock, TicksAndLocalTimeFollowTheSystem)
{
    // The tick count moves in steps of up to 16 ms (under Wine, when the server next updates the
    // shared page), so a short sleep can read fewer milliseconds than it slept. Over a longer span
    // the ticks must still be milliseconds: within a factor of two of the precise clock's time.
    const std::uint64_t a = qn::GetTickCount64();
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t b = a;
    auto elapsed = std::chrono::steady_clock::duration{};
    while (b - a < 300 && elapsed < std::chrono::seconds(5)) {
        Sleep(10);
        b = qn::GetTickCount64();
        elapsed = std::chrono::steady_clock::now() - start;
    }
    const auto preciseMs = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    ASSERT_GE(b - a, 300u) << "the tick count did not move in " << preciseMs << " ms";
    EXPECT_GE(preciseMs, 150);
    EXPECT_LE(static_cast<std::int64_t>(b - a), 2 * preciseMs);
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const double now = LocalDateTimeNow();
    const double seconds = (now - std::floor(now)) * 86400.0;
    const double expected = local.wHour * 3600.0 + local.wMinute * 60.0 + local.wSecond;
    EXPECT_LT(std::fabs(seconds - expected), 2.0) << "unless the test ran across midnight";
}

TEST(WindowsThreadId, EachThreadHasItsOwnNonZeroId)
{
    const std::uint32_t mine = qn::GetCurrentThreadId();
    std::uint32_t other = 0;
    std::thread([&other] { other = qn::GetCurrentThreadId(); }).join();
    EXPECT_NE(mine, 0u);
    EXPECT_NE(other, 0u);
    EXPECT_NE(mine, other);
    EXPECT_EQ(mine, ::GetCurrentThreadId());
}

} // namespace
} // namespace qn
