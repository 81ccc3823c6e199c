// TTopMostWindow events and stacking hint, and the hint lifted around a modal dialog.
#include "mainwindow/frame/top_most_window.h"

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

// A modal dialog over a top-most window would open behind it: the hint is lifted while it runs and
// comes back after, also when the dialog throws; the switch itself never changes.
TEST(TopMostWindow, ADialogRunsWithTheHintLiftedAndTheHintComesBackAfter)
{
    QWidget form;
    form.show();
    TTopMostWindow tmw(&form);
    tmw.SetAlwaysOnTop(true);
    int events = 0;
    tmw.OnBeforeChange = [&](TTopMostWindow*) { ++events; };
    std::vector<bool> during;
    QWidget* parent = nullptr;
    tmw.ShowModal([&](QWidget* AParent) {
        parent = AParent;
        during.push_back(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
    EXPECT_EQ(parent, &form);
    EXPECT_THROW(tmw.WhileLifted([&] {
        during.push_back(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        throw std::runtime_error("dialog failed");
    }),
                 std::runtime_error);
    EXPECT_EQ((std::vector<bool>{false, false}), during);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(tmw.AlwaysOnTop());
    EXPECT_EQ(0, events);
    tmw.ShowModal(nullptr); // no dialog set: nothing happens

    // A window that is not top-most gets no hint from a dialog.
    tmw.SetAlwaysOnTop(false);
    tmw.WhileLifted([&] { during.push_back(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint)); });
    EXPECT_FALSE(during.back());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
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
