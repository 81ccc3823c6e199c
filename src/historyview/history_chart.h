// THistoryChart: the report's bar chart, download stacked under upload, drawn aliased into a buffer.
#pragma once

#include "history/history_period.h"
#include "history/history_store.h"

#include "history/history_bars.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace qn {

// Shows one bar per row, oldest left, on a scale from 0 to the next round byte count above the
// largest total, with the scale's top and middle as labelled grid lines and the periods labelled
// along the bottom (as many as fit apart). Bars and lines are set straight into the pixels of a
// buffer, without smoothing, like the panels' charts. The pointer over a bar shows its period and
// figures as a hint.
class THistoryChart : public QWidget
{
    Q_OBJECT

public:
    explicit THistoryChart(QWidget* AParent = nullptr);

    void SetRows(const std::vector<THistoryRow>& ARows, THistoryPeriod APeriod);
    const std::vector<THistoryRow>& Rows() const { return FRows; }
    // The hint for the pointer at AX: the period and figures of the bar there, or empty.
    QString HintAt(int AX);
    // The period labels drawn last, left to right.
    const QStringList& Labels() const { return FLabels; }

    // The colours of the two parts of a bar, those of the panels' chart lines.
    static const QRgb DownloadColor;
    static const QRgb UploadColor;

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;

private:
    void Draw();
    void Layout();

    std::vector<THistoryRow> FRows;
    THistoryPeriod FPeriod = THistoryPeriod::hpDay;
    QImage FBuffer;
    bool FValid = false;
    std::vector<TBarColumn> FColumns; // the bars as last laid out; the newest FColumns.size() rows
    QStringList FLabels;
};

} // namespace qn
