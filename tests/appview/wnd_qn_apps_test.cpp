// What the Applications window shows of the figures: names, rows, the "Unattributed" row, the limit.
#include "appview/wnd_qn_apps.h"

#include "apptraffic/app_traffic.h"
#include "support/socket_records.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qn {
namespace {

using test::TcpSocket;

struct AppsWindow : ::testing::Test
{
    test::TTempFolder Data{"qn-apps"};
    TCgroupDirectory Directory{[](std::vector<TCgroupEntry>& AEntries) {
        AEntries = {{10, "/app.slice/app-gnome-org.example.Alpha-1.scope"},
                    {11, "/app.slice/app-org.example.Beta@2.service"},
                    {12, "/user.slice/user-0.slice/session-1.scope"}};
        return TCgroupSupport::csAvailable;
    }};
    TAppTraffic Traffic{Directory, 0};

    void SetUp() override
    {
        // GIO reads the data directories once, at its first look-up.
        std::filesystem::create_directories(Data.Path() + "/applications");
        std::ofstream(Data.Path() + "/applications/org.example.Alpha.desktop")
            << "[Desktop Entry]\nType=Application\nName=Alpha Browser\nExec=true\n";
        setenv("XDG_DATA_DIRS", Data.Path().c_str(), 1);
    }

    QStringList Column(const Twnd_qn_Apps& AWindow, int AColumn)
    {
        QStringList texts;
        for (int i = 0; i < AWindow.AppList->topLevelItemCount(); ++i)
            texts << AWindow.AppList->topLevelItem(i)->text(AColumn);
        return texts;
    }
};

TEST_F(AppsWindow, ListsApplicationsByNameBusiestFirstWithUnattributedLast)
{
    Traffic.Update({1000, {TcpSocket(1, 10, 0, 0), TcpSocket(2, 11, 0, 0), TcpSocket(3, 12, 0, 0)}}, {},
                   {true, 1000, 0, 0});
    Traffic.Update({2000, {TcpSocket(1, 10, 1000, 0), TcpSocket(2, 11, 250000, 0), TcpSocket(3, 12, 10, 0)}}, {},
                   {true, 2000, 300000, 1000});
    Twnd_qn_Apps window(nullptr, nullptr);
    window.ShowTraffic(&Traffic);
    EXPECT_EQ(Column(window, 0),
              QStringList({"org.example.Beta", "Alpha Browser", "Other programs of this session", "Unattributed"}));
    EXPECT_EQ(Column(window, 1)[0], "2.00 Mbps");
    EXPECT_EQ(Column(window, 3)[3], "47.84 KB") << "the uplinks' download less the applications'";
    EXPECT_TRUE(window.ReasonLabel->isHidden());
    EXPECT_TRUE(window.ShareLabel->text().contains("83%")) << window.ShareLabel->text().toStdString();
    EXPECT_FALSE(window.AppList->accessibleName().isEmpty());

    // The next reading lists fewer rows: the window follows, "Unattributed" stays last.
    TCgroupDirectory none([](std::vector<TCgroupEntry>& AEntries) {
        AEntries.clear();
        return TCgroupSupport::csNoHierarchy;
    });
    TAppTraffic flat(none, 0);
    flat.Update({1000, {TcpSocket(1, 10, 0, 0)}}, {}, {});
    flat.Update({2000, {TcpSocket(1, 10, 5, 0)}}, {}, {});
    window.ShowTraffic(&flat);
    EXPECT_EQ(Column(window, 0), QStringList({"Other programs of this session", "Unattributed"}));
    EXPECT_FALSE(window.ReasonLabel->isHidden());
    EXPECT_TRUE(window.ReasonLabel->text().contains("cgroup v2")) << window.ReasonLabel->text().toStdString();
}

TEST_F(AppsWindow, WithTheLayerOffItSaysSo)
{
    Twnd_qn_Apps window(nullptr, nullptr);
    window.ShowTraffic(nullptr);
    EXPECT_EQ(window.AppList->topLevelItemCount(), 0);
    EXPECT_TRUE(window.ReasonLabel->text().contains("QUARNO_APPS=0"));
}

} // namespace
} // namespace qn
