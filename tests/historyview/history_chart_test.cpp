// The history chart offscreen: its period labels along the bottom and the hint of the bar under
// the pointer; the dialog's controls reached by the keyboard.
#include "historyview/history_chart.h"

#include "historyview/dlg_qn_history.h"

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace qn {
namespace {

std::vector<THistoryRow> Days(int ACount)
{
    std::vector<THistoryRow> rows;
    for (int i = 0; i < ACount; ++i)
        rows.push_back({20261101 + i, 1048576u * static_cast<std::uint64_t>(i + 1), 1024});
    return rows;
}

QImage Render(THistoryChart& AChart, const char* AName)
{
    QImage image(AChart.size(), QImage::Format_RGB32);
    AChart.render(&image);
    image.save(QString(QN_TEST_ARTIFACT_DIR) + "/history_chart_" + AName + ".png");
    return image;
}

TEST(HistoryChart, PeriodsAreLabelledAlongTheBottomAsFewAsStandApart)
{
    THistoryChart chart;
    chart.resize(600, 220);
    chart.SetRows(Days(30), THistoryPeriod::hpDay);
    Render(chart, "days");
    const QStringList wide = chart.Labels();
    ASSERT_FALSE(wide.isEmpty());
    EXPECT_LT(wide.size(), 30) << "thirty day labels do not fit apart in 530 pixels";
    EXPECT_EQ(QStringLiteral("11-30"), wide.back()) << "the newest bar is labelled";

    chart.resize(300, 220);
    Render(chart, "days_narrow");
    EXPECT_LT(chart.Labels().size(), wide.size()) << "a narrower chart labels fewer bars";
    EXPECT_FALSE(chart.Labels().isEmpty());

    chart.SetRows({{2026120914, 5, 5}, {2026120915, 5, 5}}, THistoryPeriod::hpHour);
    Render(chart, "hours");
    EXPECT_EQ((QStringList{QStringLiteral("14:00"), QStringLiteral("15:00")}), chart.Labels());
    chart.SetRows({}, THistoryPeriod::hpMonth);
    Render(chart, "empty");
    EXPECT_TRUE(chart.Labels().isEmpty());
    EXPECT_EQ(QStringLiteral("No traffic recorded"), chart.accessibleDescription());
}

TEST(HistoryChart, ThePointerOverABarHintsItsPeriodAndFigures)
{
    THistoryChart chart;
    chart.resize(600, 220);
    chart.SetRows(Days(3), THistoryPeriod::hpDay);
    EXPECT_TRUE(chart.HintAt(5).isEmpty()) << "left of the field";
    // Three bars share the field evenly: the last third (less its gap) is the newest day.
    EXPECT_EQ(QStringLiteral("2026-11-03\nDownload 3.00 MB\nUpload 1.00 KB\nTotal 3.00 MB"), chart.HintAt(500));
    EXPECT_TRUE(chart.HintAt(590).isEmpty()) << "right of the field";
    EXPECT_TRUE(chart.accessibleDescription().contains(QStringLiteral("from 2026-11-01 to 2026-11-03")))
        << chart.accessibleDescription().toStdString();
}

TEST(HistoryChart, EveryControlOfTheDialogIsReachedWithTheTabKey)
{
    QTemporaryDir dir;
    Tdlg_qn_History dialog(nullptr, dir.filePath(QStringLiteral("none.sqlite")).toStdString());
    std::vector<QWidget*> chain;
    QWidget* w = dialog.cbInterface;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != dialog.cbInterface && chain.size() < 50);
    for (QWidget* control :
         std::vector<QWidget*>{dialog.cbInterface, dialog.tbPeriod, dialog.Table, dialog.btExport, dialog.btClose})
        EXPECT_NE(std::find(chain.begin(), chain.end(), control), chain.end()) << control->objectName().toStdString();
    EXPECT_EQ(QStringLiteral("Traffic history chart"), dialog.Chart->accessibleName());
}

} // namespace
} // namespace qn
