// The read-out grid's captions: narrowed to fit their cell, never cut.
#include "watcher/read_out_panel.h"

#include "widgetkit/fit_font.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(ReadOutPanel, ACaptionWiderThanItsCellIsNarrowedNotCut)
{
    QFont font;
    font.setPixelSize(11);
    const QString text = QStringLiteral("Session totals");
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    EXPECT_EQ(FitFont(font, text, natural + 5), font) << "a caption that fits keeps its font";
    const QFont narrow = FitFont(font, text, natural * 3 / 4);
    EXPECT_LT(narrow.stretch(), 100);
    EXPECT_LE(QFontMetrics(narrow).horizontalAdvance(text), natural * 3 / 4 + 2);
    EXPECT_EQ(FitFont(font, text, 0), font) << "no room at all: nothing to fit to";
    EXPECT_GE(FitFont(font, text, natural / 10).stretch(), 60) << "never narrower than readable";
}

} // namespace
} // namespace qn
