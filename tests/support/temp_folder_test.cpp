// The temporary folder: private to its owner and gone, with what was put in it, when its owner is.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qn::test {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, EachOwnerHasItsOwnFolderAndItGoesWithEverythingInIt)
{
    std::string kept;
    {
        TTempFolder folder("qn-support");
        TTempFolder other("qn-support");
        ASSERT_FALSE(folder.Path().empty());
        ASSERT_TRUE(fs::is_directory(folder.Path()));
        EXPECT_NE(folder.Path(), other.Path());
        EXPECT_EQ(folder.Entries(), 0u);
        fs::create_directories(folder.File("sub/deeper"));
        std::ofstream(folder.File("sub/deeper/a.ini")) << "[a]\n";
        std::ofstream(folder.File("b.ini")) << "[b]\n";
        EXPECT_EQ(folder.Entries(), 2u);
        EXPECT_EQ(fs::path(folder.File("b.ini")).parent_path(), fs::path(folder.Path()));
        kept = folder.Path();
    }
    EXPECT_FALSE(fs::exists(kept));
}

} // namespace
} // namespace qn::test
