// The report's bar chart: columns from the bar maths filled into the buffer, grid as thin lines.
#include "historyview/history_chart.h"

#include "chart/thin_line_raster.h"
#include "history/history_bars.h"
#include "watcher/quantity_format.h"

#include <QPainter>

#include <algorithm>

namespace qn {

namespace {

constexpr QRgb FieldColor = 0xFF000000;
constexpr QRgb GridColor = 0xFF404040;
constexpr QRgb AxisColor = 0xFFC0C0C0;
constexpr int LabelWidth = 64; // room for "1023.99 MB" left of the field
constexpr int Margin = 6;

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
}

void THistoryChart::SetRows(const std::vector<THistoryRow>& ARows, THistoryPeriod APeriod)
{
    FRows = ARows;
    FPeriod = APeriod;
    FValid = false;
    update();
}

void THistoryChart::resizeEvent(QResizeEvent* AEvent)
{
    FValid = false;
    QWidget::resizeEvent(AEvent);
}

void THistoryChart::Draw()
{
    FBuffer.fill(palette().color(QPalette::Window).rgb());
    const TBarArea field{LabelWidth, Margin, width() - Margin - 1, height() - Margin - 1};
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

    const TBarArea bars{field.Left + 1, field.Top + 1, field.Right - 1, field.Bottom - 1};
    for (const TBarColumn& c : LayoutBars(FRows, bars, top)) {
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
