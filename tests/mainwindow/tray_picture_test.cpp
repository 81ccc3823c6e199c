// The tray picture's scale, layout, change test and pixels, the hint's text and pace, and the rates
// of an unwatched interface.
#include "mainwindow/tray/tray_hint.h"
#include "mainwindow/tray/tray_picture.h"
#include "netdata/ip_helper_counter_source.h"
#include "netdata/traffic_counter_pass.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace qn {
namespace {

int Height(const TPixelClip& ABar)
{
    return ABar.Bottom - ABar.Top + 1;
}

TEST(TrayScale, RatesMapToEqualStepsPerDecadeBetweenFloorAndCeiling)
{
    EXPECT_EQ(0.0, TrayRateLevel(0.0));
    EXPECT_EQ(0.0, TrayRateLevel(-5.0));
    EXPECT_EQ(0.0, TrayRateLevel(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(0.0, TrayRateLevel(TrayScaleFloor));
    EXPECT_EQ(1.0, TrayRateLevel(TrayScaleCeiling));
    EXPECT_EQ(1.0, TrayRateLevel(1e15));
    EXPECT_EQ(1.0, TrayRateLevel(std::numeric_limits<double>::infinity()));
    const double decade = TrayRateLevel(TrayScaleFloor * 10);
    EXPECT_GT(decade, 0.0);
    EXPECT_NEAR(2 * decade, TrayRateLevel(TrayScaleFloor * 100), 1e-12);
    EXPECT_NEAR(3 * decade, TrayRateLevel(TrayScaleFloor * 1000), 1e-12);
}

TEST(TrayLayout, BarsStayInsideTheFieldSideBySideOnOneBaseAtEverySize)
{
    for (const int size : TrayPictureSizes) {
        SCOPED_TRACE(size);
        for (const double rate : {0.0, 1.0, 5e3, 2e6, TrayScaleCeiling, 1e12}) {
            const TTrayLayout l = TrayLayoutFor(size, rate, rate / 3);
            EXPECT_EQ(size - 1, l.Frame.Right);
            EXPECT_GE(l.Field.Left, 1);
            EXPECT_LT(l.Field.Right, size - 1);
            for (const TPixelClip& bar : {l.Download, l.Upload}) {
                EXPECT_GT(bar.Left, l.Field.Left);
                EXPECT_LT(bar.Right, l.Field.Right);
                EXPECT_GT(bar.Top, l.Field.Top) << "a full bar leaves the field's top row dark";
                EXPECT_LT(bar.Bottom, l.Field.Bottom);
            }
            EXPECT_LT(l.Download.Right + 1, l.Upload.Left) << "a gap between the bars";
            EXPECT_EQ(l.Download.Bottom, l.Upload.Bottom);
            EXPECT_EQ(l.Download.Right - l.Download.Left, l.Upload.Right - l.Upload.Left);
            EXPECT_GE(Height(l.Download), Height(l.Upload));
        }
        EXPECT_EQ(0, Height(TrayLayoutFor(size, 0, 0).Download)) << "no traffic, no bar";
        EXPECT_GE(Height(TrayLayoutFor(size, 1, 0).Download), 1) << "any traffic shows";
        EXPECT_EQ(Height(TrayLayoutFor(size, TrayScaleFloor, 0).Download), Height(TrayLayoutFor(size, 1, 0).Download));
        const TTrayLayout full = TrayLayoutFor(size, TrayScaleCeiling, 0);
        EXPECT_EQ(full.Field.Top + (full.Field.Left - full.Frame.Left), full.Download.Top);
    }
}

TEST(TrayLayout, TheDoubleSizeIsTheSinglePictureDrawnTwiceAsFine)
{
    for (const double rate : {0.0, 5e3, 2e6, TrayScaleCeiling}) {
        const TTrayLayout one = TrayLayoutFor(16, rate, rate);
        const TTrayLayout two = TrayLayoutFor(32, rate, rate);
        EXPECT_EQ(2 * one.Field.Left, two.Field.Left);
        EXPECT_EQ(2 * (one.Download.Right - one.Download.Left + 1), two.Download.Right - two.Download.Left + 1);
        EXPECT_NEAR(2 * Height(one.Download), Height(two.Download), 1) << rate;
    }
}

TEST(TrayScale, StepsRiseWithTheRateAndAnyTrafficIsOne)
{
    EXPECT_EQ(0, TrayRateStep(0.0));
    EXPECT_EQ(0, TrayRateStep(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(1, TrayRateStep(1.0));
    EXPECT_EQ(1, TrayRateStep(TrayScaleFloor));
    EXPECT_EQ(TrayScaleSteps, TrayRateStep(TrayScaleCeiling));
    EXPECT_EQ(TrayScaleSteps, TrayRateStep(1e18));
    int last = 0;
    for (double rate = 1.0; rate < 1e10; rate *= 1.07) {
        const int step = TrayRateStep(rate);
        EXPECT_GE(step, last) << rate;
        EXPECT_LE(step - last, 1) << "no step is skipped at " << rate;
        last = step;
    }
}

TEST(TrayPicture, ANewPictureIsNeededExactlyWhenSomeSizesPixelsOrTheColoursChange)
{
    TTrayPicture picture;
    const TTrayPicture::TColors colors;
    EXPECT_TRUE(picture.Differs(0, 0, colors)) << "nothing shown yet";
    picture.Take(2e6, 1e3, colors);
    EXPECT_FALSE(picture.Differs(2e6, 1e3, colors));
    EXPECT_TRUE(picture.Differs(2e6, 0, colors)) << "traffic that stops";
    TTrayPicture::TColors other = colors;
    other.Upload = 0xFFFF0000;
    EXPECT_TRUE(picture.Differs(2e6, 1e3, other));
    // Over a sweep of rates, the change test agrees with the pixels at every size: no change is
    // missed, and no picture is set again whose pixels are all the same.
    const auto layouts = [](double ARate) {
        std::vector<int> heights;
        for (const int size : TrayPictureSizes)
            heights.push_back(Height(TrayLayoutFor(size, ARate, 1e3).Download));
        return heights;
    };
    double shown = 2e6;
    int changes = 0;
    for (double rate = 2e6; rate < 4e8; rate *= 1.05) {
        const bool pixels = layouts(rate) != layouts(shown);
        EXPECT_EQ(pixels, picture.Differs(rate, 1e3, colors)) << rate;
        if (picture.Differs(rate, 1e3, colors)) {
            picture.Take(rate, 1e3, colors);
            shown = rate;
            ++changes;
        }
    }
    EXPECT_GE(changes, 3);
    EXPECT_LE(changes, 6) << "two steps a decade over little more than two decades";
    picture.Forget();
    EXPECT_TRUE(picture.Differs(shown, 1e3, colors));
}

TEST(TrayPicture, PaintsBorderFieldAndBarsInsideItsSquareOnly)
{
    TTrayPicture picture;
    TTrayPicture::TColors colors{0xFF112233, 0xFF445566};
    picture.Take(TrayScaleCeiling, 0, colors);
    constexpr int size = 22, stride = 30;
    constexpr std::uint32_t outside = 0x12345678;
    std::vector<std::uint32_t> bits(stride * (size + 2), outside);
    picture.Paint(size, bits.data(), stride);
    const auto at = [&](int x, int y) { return bits[static_cast<std::size_t>(y * stride + x)]; };
    const TTrayLayout l = TrayLayoutFor(size, TrayScaleCeiling, 0);
    EXPECT_EQ(TTrayPicture::BorderColor, at(0, 0));
    EXPECT_EQ(TTrayPicture::BorderColor, at(size - 1, size - 1));
    EXPECT_EQ(TTrayPicture::FieldColor, at(l.Field.Left, l.Field.Top));
    EXPECT_EQ(colors.Download, at(l.Download.Left, l.Download.Top));
    EXPECT_EQ(colors.Download, at(l.Download.Right, l.Download.Bottom));
    EXPECT_EQ(TTrayPicture::FieldColor, at(l.Upload.Left, l.Upload.Bottom)) << "no upload, no bar";
    EXPECT_EQ(outside, at(size, 0)) << "right of the square";
    EXPECT_EQ(outside, at(0, size)) << "below the square";
}

TEST(TrayHint, NamesEachInterfaceWithItsRatesUnderTheTitle)
{
    EXPECT_EQ("Quarno", TrayHintText("Quarno", {}));
    EXPECT_EQ("Quarno\neth0: Download 1.50 KB, Upload 0.00 B\nlo: Download 12.29 Kbps, Upload 8.00 bps",
              TrayHintText("Quarno", {{"eth0", "1.50 KB", "0.00 B"}, {"lo", "12.29 Kbps", "8.00 bps"}}));
    // A translated line may put the parts in another order; a name holding "%2" stays as it is.
    EXPECT_EQ("Q\nupload 2 B, download 1 B on a%2b",
              TrayHintText("Q", {{"a%2b", "1 B", "2 B"}}, "upload %3, download %2 on %1"));
}

TEST(TrayHint, ChangesAtMostEveryTwoSecondsAndOnlyWhenItsTextDoes)
{
    TTrayHint hint;
    const std::vector<TTrayHintLine> a{{"eth0", "1.00 KB", "2.00 KB"}}, b{{"eth0", "3.00 KB", "2.00 KB"}};
    EXPECT_EQ(std::optional<std::string>("Q\neth0: Download 1.00 KB, Upload 2.00 KB"), hint.Update(10000, "Q", a));
    EXPECT_EQ(std::nullopt, hint.Update(11000, "Q", b)) << "a second later";
    EXPECT_EQ(std::nullopt, hint.Update(11999, "Q", b));
    EXPECT_TRUE(hint.Update(12000, "Q", b).has_value());
    EXPECT_EQ(std::nullopt, hint.Update(20000, "Q", b)) << "the same text is not sent again";
    hint.Forget();
    EXPECT_TRUE(hint.Update(20001, "Q", b).has_value());
}

// The best interface's rates when no panel watches: read from the pass another reader took at
// another phase, with refreshes in between, a steady 1 MiB/s is 1 MiB/s at every tick.
TEST(TrayRates, TheBestInterfacesRatesAreTrueWhateverPhaseThePassWasTakenAt)
{
    constexpr std::uint64_t MiB = 1024 * 1024;
    for (const std::uint64_t phase : {100u, 500u, 850u, 950u}) {
        SCOPED_TRACE(phase);
        test::TFakeClock clock(20'000);
        TTrafficCounterPass pass(
            [&](std::vector<TLinkCounters>& ACounters) {
                ACounters = {{3, clock.Ms * MiB / 1000, clock.Ms * MiB / 8000}};
                return 1;
            },
            clock);
        TIpHelperCounterSource source(&pass, clock);
        TTrayRates rates;
        for (int second = 0; second < 20; ++second) {
            TTrafficCounters other;
            source.ReadCounters(3, other, 0);
            clock.Ms += phase / 3;
            if (second % 5 == 1)
                pass.Invalidate(); // the interfaces changed; the next reader takes a new pass
            source.ReadCounters(3, other, 0);
            clock.Ms += phase - phase / 3;
            rates.Sample(source, 3);
            if (second > 0) {
                EXPECT_NEAR(rates.RateDL(), double(MiB), MiB / 100.0);
                EXPECT_NEAR(rates.RateUL(), MiB / 8.0, MiB / 800.0);
            }
            clock.Ms += 1000 - phase;
        }
        // Gone: no rate; back: a baseline first, never the bytes since it left as one second.
        pass.Invalidate();
        rates.Sample(source, 4);
        EXPECT_EQ(rates.RateDL(), 0.0);
    }
}

} // namespace
} // namespace qn
