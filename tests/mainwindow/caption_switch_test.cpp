// The caption switch's height arithmetic, without a screen.
#include "mainwindow/frame/caption_switch.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

class FakeWindow : public ICaptionWindow
{
public:
    bool CaptionStyle() const override { return Caption; }
    void SetCaptionStyle(bool AOn) override { Caption = AOn; }
    TBorderStyle BorderStyle() const override { return Border; }
    int Height() const override { return H; }
    void SetHeight(int AHeight) override { H = AHeight; }
    void SetMenuBar(bool AShown) override { Menu = AShown; }

    bool Caption = true;
    bool Menu = true;
    TBorderStyle Border = TBorderStyle::Sizeable;
    int H = 500;
};

constexpr TCaptionMetrics Metrics{23, 17, 20};

TEST(CaptionSwitch, ToggledOffAndOnChangesHeightSymmetrically)
{
    FakeWindow w;
    UpdateCaption(w, false, true, Metrics);
    EXPECT_FALSE(w.Caption);
    EXPECT_FALSE(w.Menu);
    EXPECT_EQ(500 - 2 * 23 - 2, w.H);

    UpdateCaption(w, true, true, Metrics);
    EXPECT_TRUE(w.Caption);
    EXPECT_TRUE(w.Menu);
    EXPECT_EQ(500, w.H);
}

TEST(CaptionSwitch, StoredStateAtStartKeepsTheMenuHeightInTheBody)
{
    FakeWindow w;
    UpdateCaption(w, false, false, Metrics);
    EXPECT_FALSE(w.Caption);
    EXPECT_FALSE(w.Menu);
    EXPECT_EQ(500 + 20 - 23, w.H);

    // Showing the window again re-applies the same state: it must not shrink once more.
    UpdateCaption(w, false, false, Metrics);
    EXPECT_EQ(500 + 20 - 23, w.H);

    FakeWindow shown;
    UpdateCaption(shown, true, false, Metrics);
    EXPECT_TRUE(shown.Caption);
    EXPECT_EQ(500, shown.H) << "a window that has its caption is left alone";
}

TEST(CaptionSwitch, CaptionHeightFollowsTheBorderStyle)
{
    struct Case
    {
        TBorderStyle Border;
        int Expected;
    };
    for (const Case c :
         {Case{TBorderStyle::Single, 477}, Case{TBorderStyle::Dialog, 477}, Case{TBorderStyle::ToolWindow, 483},
          Case{TBorderStyle::SizeToolWin, 483}, Case{TBorderStyle::None, 500}}) {
        FakeWindow w;
        w.Border = c.Border;
        HideCaption(w, Metrics);
        EXPECT_FALSE(HasCaption(w));
        EXPECT_EQ(c.Expected, w.H) << static_cast<int>(c.Border);
    }
    FakeWindow w;
    w.Caption = false;
    ShowCaption(w, Metrics);
    EXPECT_TRUE(HasCaption(w));
    EXPECT_EQ(523, w.H);
}

} // namespace
} // namespace qn
