// The report's bar chart: columns from the bar maths filled into the buffer, grid as thin lines.
#include "historyview/history_chart.h"

#include "chart/thin_line_raster.h"
#include "history/history_bars.h"
#include "texts/quantity_format.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace qn {

namespace {

constexpr QRgb FieldColor = 0xFF000000;
constexpr QRgb GridColor = 0xFF404040;
constexpr QRgb AxisColor = 0xFFC0C0C0;
constexpr int LabelWidth = 64; // room for "1023.99 MB" left of the field
constexpr int Margin = 6;
constexpr int LabelRowHeight = 16; // the period labels under the field
constexpr int LabelGap = 8;        // at least this much air between two period labels

void FillArea(QImage& AImage, const TBarArea& AArea, QRgb AColor)
{
    const int left = std::max(0, AArea.Left), right = std::min(AImage.width() - 1, AArea.Right);
    const int top = std::max(0, AArea.Top), bottom = std::min(AImage.height() - 1, AArea.Bottom);
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(AImage.scanLine(y));
        std::fill(line + left, line + right + 1, AColor);
    }
}

} // namespace

const QRgb THistoryChart::DownloadColor = 0xFFA6CAF0;
const QRgb THistoryChart::UploadColor = 0xFF00FF00;

THistoryChart::THistoryChart(QWidget* AParent) : QWidget(AParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(120);
    setMouseTracking(true);
    setAccessibleName(tr("Traffic history chart"));
}

void THistoryChart::SetRows(const std::vector<THistoryRow>& ARows, THistoryPeriod APeriod)
{
    FRows = ARows;
    FPeriod = APeriod;
    FValid = false;
    Layout();
    // What a screen reader says of the chart: its span and its largest bar.
    QString description = tr("No traffic recorded");
    if (!FRows.empty()) {
        const auto largest = std::max_element(FRows.begin(), FRows.end(),
                                              [](const auto& A, const auto& B) { return A.Total() < B.Total(); });
        description = tr("%1 bars from %2 to %3; the largest %4 on %5")
                          .arg(FRows.size())
                          .arg(QString::fromStdString(PeriodText(FPeriod, FRows.front().Key, true)),
                               QString::fromStdString(PeriodText(FPeriod, FRows.back().Key, true)),
                               QString::fromStdString(FormatBytes(static_cast<double>(largest->Total()))),
                               QString::fromStdString(PeriodText(FPeriod, largest->Key, true)));
    }
    setAccessibleDescription(description);
    update();
}

void THistoryChart::Layout()
{
    FColumns.clear();
    const TBarArea field{LabelWidth, Margin, width() - Margin - 1, height() - Margin - LabelRowHeight - 1};
    if (field.Right <= field.Left || field.Bottom <= field.Top)
        return;
    std::uint64_t largest = 0;
    for (const THistoryRow& row : FRows)
        largest = std::max(largest, row.Total());
    const TBarArea bars{field.Left + 1, field.Top + 1, field.Right - 1, field.Bottom - 1};
    FColumns = LayoutBars(FRows, bars, BarScaleTop(largest));
}

QString THistoryChart::HintAt(int AX)
{
    const int c = ColumnAt(FColumns, AX);
    if (c < 0)
        return {};
    const THistoryRow& row = FRows[FRows.size() - FColumns.size() + static_cast<std::size_t>(c)];
    const auto bytes = [](std::uint64_t AValue) {
        return QString::fromStdString(FormatBytes(static_cast<double>(AValue)));
    };
    return tr("%1\nDownload %2\nUpload %3\nTotal %4")
        .arg(QString::fromStdString(PeriodText(FPeriod, row.Key, true)), bytes(row.Download), bytes(row.Upload),
             bytes(row.Total()));
}

void THistoryChart::mouseMoveEvent(QMouseEvent* AEvent)
{
    const QString hint = HintAt(AEvent->position().toPoint().x());
    if (hint != toolTip()) {
        setToolTip(hint);
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(AEvent->globalPosition().toPoint(), hint, this);
    }
    QWidget::mouseMoveEvent(AEvent);
}

void THistoryChart::resizeEvent(QResizeEvent* AEvent)
{
    FValid = false;
    Layout();
    QWidget::resizeEvent(AEvent);
}

void THistoryChart::Draw()
{
    FBuffer.fill(palette().color(QPalette::Window).rgb());
    const TBarArea field{LabelWidth, Margin, width() - Margin - 1, height() - Margin - LabelRowHeight - 1};
    FLabels.clear();
    if (field.Right <= field.Left || field.Bottom <= field.Top)
        return;
    FillArea(FBuffer, field, FieldColor);

    std::uint64_t largest = 0;
    for (const THistoryRow& row : FRows)
        largest = std::max(largest, row.Total());
    const std::uint64_t top = BarScaleTop(largest);
    const int middle = (field.Top + field.Bottom) / 2;
    const TThinSegment grid[] = {{field.Left, middle, field.Right, middle}};
    const TPixelClip clip{field.Left, field.Top, field.Right, field.Bottom};
    auto* bits = reinterpret_cast<std::uint32_t*>(FBuffer.bits());
    const int stride = static_cast<int>(FBuffer.bytesPerLine() / 4);
    RasterizeThinLines(bits, stride, clip, grid, 1, GridColor);

    for (const TBarColumn& c : FColumns) {
        FillArea(FBuffer, c.Download, DownloadColor);
        FillArea(FBuffer, c.Upload, UploadColor);
    }
    const TThinSegment axes[] = {{field.Left, field.Top, field.Left, field.Bottom},
                                 {field.Left, field.Bottom, field.Right, field.Bottom}};
    const TPixelClip whole{0, 0, FBuffer.width() - 1, FBuffer.height() - 1};
    RasterizeThinLines(bits, stride, whole, axes, 2, AxisColor);

    QPainter painter(&FBuffer);
    painter.setPen(palette().color(QPalette::WindowText));
    const auto label = [&](int AY, std::uint64_t ABytes) {
        const QRect box(0, AY - 8, LabelWidth - 4, 16);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(FormatBytes(static_cast<double>(ABytes))));
    };
    label(field.Top + 6, top);
    label(middle, top / 2);

    // The periods under their bars, as many as stand apart; all are as wide as the widest.
    const QFontMetrics metrics(font());
    const std::size_t first = FRows.size() - FColumns.size();
    int widest = 0;
    for (std::size_t i = 0; i < FColumns.size(); ++i)
        widest = std::max(widest,
                          metrics.horizontalAdvance(QString::fromStdString(BarLabel(FPeriod, FRows[first + i].Key))));
    for (const std::size_t i : LabelledColumns(FColumns, widest, LabelGap, 0, width() - 1)) {
        const QString text = QString::fromStdString(BarLabel(FPeriod, FRows[first + i].Key));
        const int centre = (FColumns[i].Left + FColumns[i].Right) / 2;
        painter.drawText(QRect(centre - widest / 2, field.Bottom + 2, widest, LabelRowHeight), Qt::AlignCenter, text);
        FLabels.push_back(text);
    }
}

void THistoryChart::paintEvent(QPaintEvent*)
{
    if (FBuffer.size() != size()) {
        FBuffer = QImage(size(), QImage::Format_RGB32);
        FValid = false;
    }
    if (!FValid) {
        Draw();
        FValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, FBuffer);
}

} // namespace qn
