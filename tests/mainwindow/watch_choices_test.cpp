// TWatchChoices: the stored values and the session's choices decide the marks, and what the file keeps.
#include "mainwindow/interface_list/watch_choices.h"

#include "layout/layout_manager_ini_storage.h"
#include "layout/layout_manager_values.h"
#include "netdata/network_configuration.h"
#include "platform/interface_name.h"
#include "support/fake_ip_helper.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace qn::test {
namespace {

class WatchChoices : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FDir.Path().empty());
        for (const auto& [index, name] : {std::pair<DWORD, std::string>{3, "eth0"}, {5, "wlan0"}, {7, "WLAN0"}}) {
            TFakeInterface i;
            i.Index = index;
            i.Name = name;
            i.Mac = {0x02, 0, 0, 0, 0, static_cast<BYTE>(index)};
            FFake.Interfaces.push_back(i);
        }
        FNCC.RefreshData();
        ASSERT_EQ(3, FNCC.AdapterCount());
    }

    // A storage over a settings file with AText, and the values on it, as the window has them.
    void Open(const std::string& AText)
    {
        std::ofstream(FDir.File("quarno.ini")) << AText;
        FValues.SetStorage(std::make_shared<TLayoutManagerINIStorage>(FDir.File("quarno.ini")));
        FValues.Restore();
    }

    std::string File() const
    {
        std::ifstream in(FDir.File("quarno.ini"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool Marked(const std::string& AName) const { return FNCC.Mark(FNCC.FindAdapter(AName)); }

    TTempFolder FDir;
    TFakeIpHelper FFake;
    TNetworkConfiguration FNCC;
    TLayoutManagerValues FValues;
};

TEST_F(WatchChoices, TheSessionsChoiceByExactNameWinsOverTheSharedLineOfTheFile)
{
    if (SameInterfaceName("wlan0", "WLAN0"))
        GTEST_SKIP() << "interface names ignore case here: the two spellings are one interface";
    Open("[Settings]\nwlan0=1\neth0=0\n");
    TWatchChoices choices(FValues);
    choices.Register(FNCC);
    FValues.Restore();
    choices.Apply(FNCC);
    // The line's key ignores case: it is one value, read by the name that registered it first.
    EXPECT_TRUE(Marked("wlan0"));
    EXPECT_FALSE(Marked("WLAN0"));
    EXPECT_FALSE(Marked("eth0"));

    FNCC.SetMark(FNCC.FindAdapter("WLAN0"), true);
    choices.Store(FNCC, "WLAN0", true);
    FNCC.SetMark(FNCC.FindAdapter("wlan0"), false);
    choices.Store(FNCC, "wlan0", false);
    // The other spelling is still watched, so the shared line stays true.
    EXPECT_NE(std::string::npos, File().find("wlan0=1")) << File();
    choices.Apply(FNCC);
    EXPECT_FALSE(Marked("wlan0"));
    EXPECT_TRUE(Marked("WLAN0"));
}

TEST_F(WatchChoices, AFalseLineOfAnAbsentInterfaceLeavesTheFileAndATrueOneStays)
{
    Open("[Settings]\ngone0=0\nkept0=1\n");
    TWatchChoices choices(FValues);
    choices.Register(FNCC);
    FNCC.SetMark(FNCC.FindAdapter("eth0"), true);
    choices.Store(FNCC, "eth0", true);
    const std::string file = File();
    EXPECT_EQ(std::string::npos, file.find("gone0")) << file;
    EXPECT_NE(std::string::npos, file.find("kept0=1")) << file;
    EXPECT_NE(std::string::npos, file.find("eth0=1")) << file;
    EXPECT_EQ(-1, FValues.IndexOf("gone0"));
}

} // namespace
} // namespace qn::test
