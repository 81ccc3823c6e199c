// Where the history file lives, and the lock that keeps a second recorder out.
#include "platform/app_data.h"
#include "platform/file_lock.h"
#include "platform/history_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qn {
namespace {

TEST(HistoryLocation, TheDataFolderUnlessTheProgramRunsFromARemovableDrive)
{
    EXPECT_EQ(
        HistoryFilePath("/home/u/.config/Veldo/Quarno/quarno.ini", false, "/home/u/.local/share/", "Veldo", "Quarno"),
        "/home/u/.local/share/Veldo/Quarno/history.sqlite");
    EXPECT_EQ(HistoryFilePath("/media/stick/quarno/quarno.ini", true, "/home/u/.local/share/", "Veldo", "Quarno"),
              "/media/stick/quarno/history.sqlite");
    EXPECT_EQ(HistoryFilePath("/x/quarno.ini", false, "/data/", "", "Quarno"), "/data/Quarno/history.sqlite");
}

class DataFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            FOld = old, FHadOld = true;
    }
    void TearDown() override
    {
        if (FHadOld)
            setenv("XDG_DATA_HOME", FOld.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    std::string FOld;
    bool FHadOld = false;
};

TEST_F(DataFolder, XdgDataHomeCountsOnlyWhenAbsolute)
{
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(GetUserDataFolder(), "/srv/data/");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    const std::string fallback = GetUserDataFolder();
    EXPECT_TRUE(fallback.ends_with("/.local/share/")) << fallback;
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(GetUserDataFolder(), fallback);
}

TEST(FileLock, ASecondHolderIsRefusedUntilTheFirstLetsGo)
{
    const auto folder = std::filesystem::temp_directory_path() / ("qn-lock-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "history.sqlite.lock").string();
    {
        TFileLock first, second;
        EXPECT_EQ(first.TryLock(path), TFileLock::lrLocked);
        EXPECT_EQ(second.TryLock(path), TFileLock::lrHeld);
        EXPECT_FALSE(second.Locked());
        first.Unlock();
        EXPECT_EQ(second.TryLock(path), TFileLock::lrLocked);
    }
    std::ofstream((folder / "plain").string()) << "x";
    TFileLock none;
    EXPECT_EQ(none.TryLock((folder / "plain" / "history.sqlite.lock").string()), TFileLock::lrFailed);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace qn
