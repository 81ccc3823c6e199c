// The lock that keeps a second holder out of a file, such as a second history recorder.
#include "platform/file_lock.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qn::test {
namespace {

TEST(FileLock, ASecondHolderIsRefusedUntilTheFirstLetsGo)
{
    const TTempFolder temp("qn-lock");
    const std::filesystem::path folder = temp.Path();
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
}

} // namespace
} // namespace qn::test
