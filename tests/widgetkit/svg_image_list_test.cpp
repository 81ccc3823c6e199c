// The interface pictures: fifteen distinct ones, drawn at both list sizes and sharp at any density.
#include "widgetkit/svg_image_list.h"

#include <QImage>
#include <QSize>

#include <gtest/gtest.h>

#include <vector>

namespace qn {
namespace {

int OpaquePixels(const QImage& AImage)
{
    int n = 0;
    for (int y = 0; y < AImage.height(); ++y)
        for (int x = 0; x < AImage.width(); ++x)
            n += qAlpha(AImage.pixel(x, y)) > 128;
    return n;
}

TEST(InterfaceImages, FifteenDistinctPicturesAtBothSizes)
{
    const TSvgImageList il16(16, InterfaceImageResources());
    const TSvgImageList il32(32, InterfaceImageResources());
    ASSERT_EQ(15, il16.Count());
    ASSERT_EQ(15, il32.Count());
    QImage sheet(15 * 34, 50, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    std::vector<QImage> seen;
    for (int i = 0; i < 15; ++i) {
        const QImage small = il16.Pixmap(i).toImage();
        const QImage large = il32.Pixmap(i).toImage();
        EXPECT_EQ(QSize(16, 16), small.size()) << i;
        EXPECT_EQ(QSize(32, 32), large.size()) << i;
        EXPECT_GT(OpaquePixels(small), 30) << "picture " << i << " is drawn";
        EXPECT_GT(OpaquePixels(large), 4 * 30) << "picture " << i << " is drawn at 32";
        for (const QImage& other : seen)
            EXPECT_NE(other, small) << "picture " << i << " differs from the earlier ones";
        seen.push_back(small);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                sheet.setPixel(i * 34 + x, y, small.pixel(x, y));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                sheet.setPixel(i * 34 + x, 18 + y, large.pixel(x, y));
    }
    EXPECT_TRUE(il16.Pixmap(15).isNull());
    EXPECT_TRUE(il16.Pixmap(-1).isNull());
    EXPECT_EQ(QSize(32, 32), il16.Pixmap(3, 2.0).size()) << "sharp on a high-density screen";
    EXPECT_FALSE(ApplicationIcon().isNull());
    sheet.save(QStringLiteral(QN_TEST_ARTIFACT_DIR "/interface_images.png"));
}

} // namespace
} // namespace qn
