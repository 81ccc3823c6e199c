// TTopMostWindow events and stacking hint.
#include "mainwindow/top_most_window.h"

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

} // namespace
} // namespace qn
