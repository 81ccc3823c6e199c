// Where the settings file lives: beside a program on a removable drive, else under the maker and product.
#include "platform/settings_location.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(SettingsLocation, PortableNextToTheExecutableElseUnderCompanyAndProduct)
{
    EXPECT_EQ("/media/stick/tools/quarno.ini",
              SettingsFilePath("/media/stick/tools/quarno", true, "/home/u/.config/", "Veldo", "Quarno"));
    EXPECT_EQ("/home/u/.config/Veldo/Quarno/quarno.ini",
              SettingsFilePath("/usr/bin/quarno", false, "/home/u/.config/", "Veldo", "Quarno"));
    EXPECT_EQ("/home/u/.config/Veldo/Quarno/X.ini",
              SettingsFilePath("/opt/X.exe", false, "/home/u/.config/", "Veldo", "Quarno"));
    EXPECT_EQ("/home/u/.config/Quarno/quarno.ini",
              SettingsFilePath("/usr/bin/quarno", false, "/home/u/.config/", "", "Quarno"));
}

} // namespace
} // namespace qn
