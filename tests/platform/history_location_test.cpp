// Where the history file lives.
#include "platform/history_location.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qn
