// The user's configuration and data folders from the XDG variables, and the program's own path.
#include "platform/app_data.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace qn {
namespace {

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

TEST(AppData, ConfigFollowsXdgConfigHomeElseHome)
{
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const std::string home = savedHome ? savedHome : "";

    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ("/tmp/cfg/", GetAppDataFolder());
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ("/home/someone/.config/", GetAppDataFolder()) << "a relative XDG path is ignored";
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ("/home/someone/.config/", GetAppDataFolder());

    if (savedXdg)
        setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    if (savedHome)
        setenv("HOME", home.c_str(), 1);
    else
        unsetenv("HOME");
    EXPECT_FALSE(GetExecutablePath().empty());
}

} // namespace
} // namespace qn
