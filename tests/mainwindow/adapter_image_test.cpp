// The picture of an interface in the list: its status first, then its type.
#include "mainwindow/interface_list/adapter_image.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qn {
namespace {

TEST(AdapterImage, StatusDecidesFirstThenTheInterfaceType)
{
    for (std::uint32_t status = 0; status <= 3; ++status)
        EXPECT_EQ(0, GetAdapterImageIndex(6, status)) << "status " << status;
    struct Case
    {
        std::uint32_t Typ;
        int Image;
    };
    const Case cases[] = {{1, 1},   {6, 7},    {9, 7},   {15, 9},   {23, 2},   {24, 10}, {37, 3}, {71, 8},
                          {237, 8}, {131, 11}, {144, 4}, {243, 12}, {244, 12}, {0, 0},   {53, 0}, {0xFFFFFFFF, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.Image, GetAdapterImageIndex(c.Typ, 4)) << "type " << c.Typ;
        EXPECT_EQ(c.Image, GetAdapterImageIndex(c.Typ, 5)) << "type " << c.Typ;
        EXPECT_EQ(0, GetAdapterImageIndex(c.Typ, 2)) << "type " << c.Typ;
    }
}

} // namespace
} // namespace qn
