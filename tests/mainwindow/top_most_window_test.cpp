// TTopMostWindow events and stacking hint, and the interface artwork at both list sizes.
#include "mainwindow/image_list.h"
#include "mainwindow/top_most_window.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace qn {
namespace {

class CountingTopMost : public TTopMostWindow
{
public:
    using TTopMostWindow::TTopMostWindow;
    int ZOrderCalls = 0;

protected:
    void UpdateZOrder() override
    {
        ++ZOrderCalls;
        TTopMostWindow::UpdateZOrder();
    }
};

TEST(TopMostWindow, ChangesFireAroundTheUpdateAndTheCurrentValueFiresNothing)
{
    QWidget form;
    form.show();
    CountingTopMost tmw(&form);
    std::vector<std::string> log;
    tmw.OnBeforeChange = [&](TTopMostWindow* s) {
        EXPECT_EQ(&tmw, s);
        log.push_back(std::string("before ") + (s->AlwaysOnTop() ? "1" : "0"));
    };
    tmw.OnAfterChange = [&](TTopMostWindow* s) {
        log.push_back(std::string("after ") + (s->AlwaysOnTop() ? "1" : "0"));
    };

    EXPECT_FALSE(tmw.AlwaysOnTop());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint) << "creation leaves the stacking alone";
    tmw.SetAlwaysOnTop(false);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(0, tmw.ZOrderCalls);

    tmw.SetAlwaysOnTop(true);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isVisible()) << "the window stays shown";
    tmw.SetAlwaysOnTop(true);
    tmw.setProperty("AlwaysOnTop", false);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ((std::vector<std::string>{"before 0", "after 1", "before 1", "after 0"}), log);
    EXPECT_EQ(2, tmw.ZOrderCalls);
}

TEST(TopMostWindow, OwnerMustBeAWindow)
{
    QWidget form;
    auto* child = new QWidget(&form);
    EXPECT_THROW(TTopMostWindow{child}, std::invalid_argument);
    EXPECT_THROW(TTopMostWindow{nullptr}, std::invalid_argument);
    TTopMostWindow ok(&form);
    EXPECT_EQ(&form, ok.HWindow());
    EXPECT_EQ(&form, ok.parent());
}

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
    const TImageList il16(16, InterfaceImageResources());
    const TImageList il32(32, InterfaceImageResources());
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
