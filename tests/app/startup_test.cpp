// Start-up choices: when the program forces XWayland, and the style that shows hints at once.
#include "app/startup.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QStyle>

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(Startup, XWaylandOnlyOnAWaylandSessionWithXAndNoChoiceOfTheUser)
{
    EXPECT_EQ("xcb", ForcedQtPlatform(nullptr, "wayland-0", ":0"));
    EXPECT_EQ("xcb", ForcedQtPlatform("", "wayland-0", ":1"));
    EXPECT_EQ("", ForcedQtPlatform("wayland", "wayland-0", ":0")) << "the user's choice stands";
    EXPECT_EQ("", ForcedQtPlatform("offscreen", nullptr, nullptr));
    EXPECT_EQ("", ForcedQtPlatform(nullptr, "wayland-0", nullptr)) << "no XWayland: Wayland it is";
    EXPECT_EQ("", ForcedQtPlatform(nullptr, "wayland-0", ""));
    EXPECT_EQ("", ForcedQtPlatform(nullptr, nullptr, ":0")) << "plain X11 needs nothing forced";
}

TEST(Startup, HintsAppearAtOnceAndEverythingElseIsThePlatformStyle)
{
    THintTimingStyle style;
    EXPECT_EQ(1, style.styleHint(QStyle::SH_ToolTip_WakeUpDelay));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_FallAsleepDelay),
              style.styleHint(QStyle::SH_ToolTip_FallAsleepDelay));
}

TEST(Startup, EveryHintStaysUpOneHundredSeconds)
{
    SetUpApplication();
    auto* filter = qApp->findChild<THintDurationFilter*>();
    ASSERT_NE(nullptr, filter);
    int shownMs = 0;
    QString shown;
    filter->ShowText = [&](const QPoint&, const QString& AText, QWidget*, int AMs) {
        shown = AText;
        shownMs = AMs;
    };
    QLabel withHint(QStringLiteral("x"));
    withHint.setToolTip(QStringLiteral("Total transfer"));
    QHelpEvent event(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(&withHint, &event);
    EXPECT_EQ(shown, QStringLiteral("Total transfer"));
    EXPECT_EQ(100000, shownMs);

    // A widget without a hint is left to Qt.
    shownMs = 0;
    QLabel without(QStringLiteral("y"));
    QHelpEvent other(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(&without, &other);
    EXPECT_EQ(0, shownMs);
}

} // namespace
} // namespace qn
