// Tsp_XYPlot: layout, drawing order, buffered display and panning of the chart control.
#include "chart/sp_xy_plot.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qn {

namespace {

constexpr int TickLength = 4;
constexpr int LabelGap = 5;
constexpr int MinFieldSize = 3;

constexpr std::uint32_t InitialFlags[4] = {
    sfVertical,                                                // left
    0,                                                         // bottom
    sfVertical | sfNoTicksLines | sfNoTicksLabel | sfOpposite, // right: 57
    sfNoTicksLines | sfNoTicksLabel | sfOpposite,              // top: 56
};

bool IsVertical(Tsp_XYPlot::TAxisId AId)
{
    return AId == Tsp_XYPlot::aiLeft || AId == Tsp_XYPlot::aiRight;
}

} // namespace

namespace {

// The picture buffered plots draw into, and the plot whose picture it holds.
struct TSharedBuffer
{
    QImage Image;
    const Tsp_XYPlot* Owner = nullptr;
};

TSharedBuffer& SharedBuffer()
{
    static TSharedBuffer buffer;
    return buffer;
}

} // namespace

Tsp_XYPlot::Tsp_XYPlot(QWidget* AParent)
    : QWidget(AParent), FAxes{Tsp_Axis(InitialFlags[0]), Tsp_Axis(InitialFlags[1]), Tsp_Axis(InitialFlags[2]),
                              Tsp_Axis(InitialFlags[3])},
      FColor(palette().color(QPalette::Window))
{
    for (std::size_t i = 0; i < FAxes.size(); ++i) {
        Tsp_LineAttr grid = FAxes[i].GridAttr();
        grid.Visible = i == aiLeft || i == aiBottom;
        FAxes[i].SetGridAttr(grid);
        FAxes[i].OnChange = [this](Tsp_AxisChange) { Invalidate(); };
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

Tsp_XYPlot::~Tsp_XYPlot()
{
    if (SharedBuffer().Owner == this)
        SharedBuffer().Owner = nullptr;
    for (auto& axis : FAxes)
        axis.OnChange = nullptr;
    for (auto& series : FSeries)
        series->OnChange = nullptr;
}

Tsp_XYLine& Tsp_XYPlot::AddLine()
{
    FSeries.push_back(std::make_unique<Tsp_XYLine>());
    Tsp_XYLine& line = *FSeries.back();
    line.OnChange = [this] { SeriesChanged(); };
    FFieldInvalid = true;
    update();
    return line;
}

void Tsp_XYPlot::SetColor(const QColor& AColor)
{
    FColor = AColor;
    Invalidate();
}

void Tsp_XYPlot::SetFieldColor(const QColor& AColor)
{
    FFieldColor = AColor;
    Invalidate();
}

void Tsp_XYPlot::SetBorderStyle(TBorderStyle AStyle)
{
    FBorderStyle = AStyle;
    Invalidate();
}

void Tsp_XYPlot::SetBufferedDisplay(bool AOn)
{
    FBufferedDisplay = AOn;
    Invalidate();
}

void Tsp_XYPlot::Invalidate()
{
    FLayoutInvalid = true;
    FSurroundInvalid = true;
    FFieldInvalid = true;
    update();
}

void Tsp_XYPlot::SeriesChanged()
{
    // Axes with automatic limits follow the data of the active series plotted against them.
    for (int id = 0; id < 4; ++id) {
        Tsp_Axis& axis = FAxes[static_cast<std::size_t>(id)];
        if (!axis.AutoMin() && !axis.AutoMax())
            continue;
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (const auto& series : FSeries) {
            if (!series->Active)
                continue;
            double a, b;
            bool uses;
            bool have;
            switch (id) {
            case aiLeft:
                uses = series->YAxis == Tsp_DataSeries::dsyLeft;
                have = uses && series->GetYMinMax(a, b);
                break;
            case aiRight:
                uses = series->YAxis == Tsp_DataSeries::dsyRight;
                have = uses && series->GetYMinMax(a, b);
                break;
            case aiBottom:
                uses = series->XAxis == Tsp_DataSeries::dsxBottom;
                have = uses && series->GetXMinMax(a, b);
                break;
            default:
                uses = series->XAxis == Tsp_DataSeries::dsxTop;
                have = uses && series->GetXMinMax(a, b);
                break;
            }
            if (have) {
                low = std::min(low, a);
                high = std::max(high, b);
            }
        }
        if (low <= high)
            axis.AutoRange(low, high);
    }
    FFieldInvalid = true;
    update();
}

int Tsp_XYPlot::BorderWidth() const
{
    switch (FBorderStyle) {
    case bs_None:
        return 0;
    case bs_Single:
        return 1;
    default:
        return 2;
    }
}

QRect Tsp_XYPlot::FieldRect()
{
    if (FLayoutInvalid)
        ComputeLayout();
    return FField;
}

void Tsp_XYPlot::PlaceAxes(const QRect& AField)
{
    const int left = AField.left(), top = AField.top();
    const int right = left + AField.width(), bottom = top + AField.height();
    FAxes[aiLeft].SetGeometry({left - 1, bottom}, AField.height());
    FAxes[aiRight].SetGeometry({right, bottom}, AField.height());
    FAxes[aiBottom].SetGeometry({left, bottom}, AField.width());
    FAxes[aiTop].SetGeometry({left, top - 1}, AField.width());
}

void Tsp_XYPlot::ComputeLayout()
{
    const QFontMetrics fm(font());
    const int charWidth = fm.horizontalAdvance(QLatin1Char('0'));
    const int fontHeight = fm.height();

    // Labels and bands.
    for (int id = 0; id < 4; ++id) {
        const auto aid = static_cast<TAxisId>(id);
        Tsp_Axis& axis = FAxes[static_cast<std::size_t>(id)];
        TAxisLayout& lay = FAxisLayout[static_cast<std::size_t>(id)];
        const bool hasTicks = axis.TickCount() > 0;
        lay.HasLabels = hasTicks && !axis.NoTicksLabel();
        lay.HasMarks = hasTicks && axis.TicksLines();
        lay.Labels.clear();
        int widest = 0;
        if (lay.HasLabels) {
            for (int i = 0; i < axis.TickCount(); ++i) {
                std::string text = axis.TickLabel(i);
                if (OnGetTickLabel)
                    OnGetTickLabel(axis, i, text, axis.TickLabelValue(i));
                lay.Labels.push_back(QString::fromStdString(text));
                widest = std::max(widest, static_cast<int>(lay.Labels.back().size()));
            }
        }
        const int lineWidth = axis.LineAttr().Visible ? axis.LineAttr().Width : 0;
        if (lay.HasLabels)
            lay.Band = lineWidth + LabelGap + (IsVertical(aid) ? widest * charWidth : fontHeight);
        else if (lay.HasMarks)
            lay.Band = lineWidth + TickLength;
        else
            lay.Band = lineWidth;
    }

    const int border = BorderWidth();
    const QRect client = rect().adjusted(border, border, -border, -border);
    auto fieldFrom = [&](int ALeft, int ATop, int ARight, int ABottom) {
        QRect field(client.left() + ALeft, client.top() + ATop, client.width() - ALeft - ARight,
                    client.height() - ATop - ABottom);
        field.setWidth(std::max(field.width(), MinFieldSize));
        field.setHeight(std::max(field.height(), MinFieldSize));
        return field;
    };
    const auto& L = FAxisLayout;
    QRect field = fieldFrom(L[aiLeft].Band + FAxes[aiLeft].Margin(), L[aiTop].Band + FAxes[aiTop].Margin(),
                            L[aiRight].Band + FAxes[aiRight].Margin(), L[aiBottom].Band + FAxes[aiBottom].Margin());

    // Overhangs: half a label beyond the axis ends, less the distance of the outer ticks from
    // them. They depend on the field, so lay out twice.
    for (int pass = 0; pass < 2; ++pass) {
        PlaceAxes(field);
        int start[4] = {}, end[4] = {};
        for (int id = 0; id < 4; ++id) {
            const Tsp_Axis& axis = FAxes[static_cast<std::size_t>(id)];
            const TAxisLayout& lay = FAxisLayout[static_cast<std::size_t>(id)];
            if (!lay.HasLabels || axis.TickCount() == 0)
                continue;
            const bool vertical = IsVertical(static_cast<TAxisId>(id));
            const int origin = vertical ? axis.Origin().Y : axis.Origin().X;
            const int far = vertical ? origin - axis.Length() : origin + axis.Length();
            // The ticks nearest to each end, and their labels.
            int nearStart = 0, nearEnd = 0;
            for (int i = 1; i < axis.TickCount(); ++i) {
                const int p = axis.TickPosition(i);
                if (std::abs(p - origin) < std::abs(axis.TickPosition(nearStart) - origin))
                    nearStart = i;
                if (std::abs(p - far) < std::abs(axis.TickPosition(nearEnd) - far))
                    nearEnd = i;
            }
            auto half = [&](int ATick) {
                return vertical ? fontHeight / 2
                                : static_cast<int>(lay.Labels[static_cast<std::size_t>(ATick)].size()) * charWidth / 2;
            };
            start[id] = std::max(0, half(nearStart) - std::abs(axis.TickPosition(nearStart) - origin));
            end[id] = std::max(0, half(nearEnd) - std::abs(far - axis.TickPosition(nearEnd)));
        }
        const int left = std::max({L[aiLeft].Band, start[aiBottom], start[aiTop]}) + FAxes[aiLeft].Margin();
        const int right = std::max({L[aiRight].Band, end[aiBottom], end[aiTop]}) + FAxes[aiRight].Margin();
        const int bottom = std::max({L[aiBottom].Band, start[aiLeft], start[aiRight]}) + FAxes[aiBottom].Margin();
        const int top = std::max({L[aiTop].Band, end[aiLeft], end[aiRight]}) + FAxes[aiTop].Margin();
        field = fieldFrom(left, top, right, bottom);
    }
    PlaceAxes(field);
    FField = field;
    FLayoutInvalid = false;
    FSurroundInvalid = true;
    FFieldInvalid = true;
}

void Tsp_XYPlot::DrawAxis(QPainter& APainter, TAxisId AId)
{
    const Tsp_Axis& axis = FAxes[AId];
    const TAxisLayout& lay = FAxisLayout[AId];
    const bool vertical = IsVertical(AId);
    const Tsp_LineAttr& attr = axis.LineAttr();
    const int lineWidth = attr.Visible ? attr.Width : 0;
    const Tsp_Point o = axis.Origin();
    const int fieldLeft = FField.left(), fieldTop = FField.top();
    const int fieldRight = fieldLeft + FField.width(), fieldBottom = fieldTop + FField.height();

    if (attr.Visible) {
        APainter.setPen(Tsp_MakePen(attr));
        const TThinSegment line = vertical ? TThinSegment{o.X, fieldTop - 1, o.X, fieldBottom}
                                           : TThinSegment{fieldLeft - 1, o.Y, fieldRight, o.Y};
        Tsp_DrawLines(APainter, &line, 1);
    }
    // Marks and labels point away from the field, or the other way with the opposite-side flag.
    const int sign = vertical ? (axis.Opposite() ? 1 : -1) : (axis.Opposite() ? -1 : 1);
    const int base = vertical ? o.X : o.Y;
    if (lay.HasMarks) {
        APainter.setPen(Tsp_MakePen({attr.Color, Tsp_PenStyle::Solid, 1, true}));
        const int from = base + sign * std::max(lineWidth, 1);
        const int to = from + sign * (TickLength - 1);
        FSegments.clear();
        for (int i = 0; i < axis.TickCount(); ++i) {
            const int p = axis.TickPosition(i);
            FSegments.push_back(vertical ? TThinSegment{from, p, to, p} : TThinSegment{p, from, p, to});
        }
        Tsp_DrawLines(APainter, FSegments.data(), static_cast<int>(FSegments.size()));
    }
    if (lay.HasLabels) {
        APainter.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics fm(APainter.font());
        const int fontHeight = fm.height();
        const int gap = base + sign * (lineWidth + LabelGap);
        // A bounded cache: a day of distinct time labels must not pile up.
        if (FLabelCache.size() > 256)
            FLabelCache.clear();
        for (int i = 0; i < axis.TickCount() && i < static_cast<int>(lay.Labels.size()); ++i) {
            const QString& text = lay.Labels[static_cast<std::size_t>(i)];
            auto cached = FLabelCache.find(text);
            if (cached == FLabelCache.end()) {
                TLabel label{QStaticText(text), fm.horizontalAdvance(text)};
                label.Text.setTextFormat(Qt::PlainText);
                label.Text.setPerformanceHint(QStaticText::AggressiveCaching);
                label.Text.prepare(QTransform(), APainter.font());
                cached = FLabelCache.insert(text, label);
            }
            const int width = cached->Width;
            const int p = axis.TickPosition(i);
            int x, y; // top-left of the text
            if (vertical) {
                y = p - fontHeight / 2;
                x = sign < 0 ? gap - width : gap;
            } else {
                x = p - width / 2;
                y = sign > 0 ? gap : gap - fontHeight;
            }
            APainter.drawStaticText(x, y, cached->Text);
        }
    }
}

void Tsp_XYPlot::DrawSurroundings(QPainter& APainter)
{
    APainter.fillRect(rect(), FColor);
    const QRect r = rect();
    switch (FBorderStyle) {
    case bs_None:
        break;
    case bs_Single:
        APainter.setPen(Tsp_MakePen({0x000000, Tsp_PenStyle::Solid, 1, true}));
        APainter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case bs_Lowered:
    case bs_Raised: {
        const QColor dark = palette().color(QPalette::Dark), light = palette().color(QPalette::Light);
        const QColor topLeft = FBorderStyle == bs_Lowered ? dark : light;
        const QColor bottomRight = FBorderStyle == bs_Lowered ? light : dark;
        for (int i = 0; i < 2; ++i) {
            const QRect e = r.adjusted(i, i, -1 - i, -1 - i);
            APainter.setPen(topLeft);
            APainter.drawLine(e.topLeft(), e.topRight());
            APainter.drawLine(e.topLeft(), e.bottomLeft());
            APainter.setPen(bottomRight);
            APainter.drawLine(e.bottomLeft(), e.bottomRight());
            APainter.drawLine(e.topRight(), e.bottomRight());
        }
        break;
    }
    }
    APainter.setFont(font());
    for (int id = 0; id < 4; ++id)
        DrawAxis(APainter, static_cast<TAxisId>(id));
}

void Tsp_XYPlot::DrawField(QPainter& APainter)
{
    APainter.save();
    APainter.setClipRect(FField);
    if (FFieldColor.isValid())
        APainter.fillRect(FField, FFieldColor);
    if (OnFieldDraw)
        OnFieldDraw(APainter, FField);
    const int fieldLeft = FField.left(), fieldTop = FField.top();
    const int fieldRight = fieldLeft + FField.width() - 1, fieldBottom = fieldTop + FField.height() - 1;
    for (TAxisId id : {aiLeft, aiBottom, aiRight, aiTop}) {
        const Tsp_Axis& axis = FAxes[id];
        if (!axis.GridAttr().Visible || axis.TickCount() == 0)
            continue;
        APainter.setPen(Tsp_MakePen(axis.GridAttr()));
        FSegments.clear();
        for (int i = 0; i < axis.TickCount(); ++i) {
            const int p = axis.TickPosition(i);
            FSegments.push_back(IsVertical(id) ? TThinSegment{fieldLeft, p, fieldRight, p}
                                               : TThinSegment{p, fieldTop, p, fieldBottom});
        }
        // A dash pattern would run on from one grid line to the next within one call.
        if (APainter.pen().style() == Qt::SolidLine) {
            Tsp_DrawLines(APainter, FSegments.data(), static_cast<int>(FSegments.size()));
        } else {
            for (const TThinSegment& line : FSegments)
                APainter.drawLine(line.X0, line.Y0, line.X1, line.Y1);
        }
    }
    for (const auto& series : FSeries) {
        if (!series->Active)
            continue;
        const Tsp_Axis& x = FAxes[series->XAxis == Tsp_DataSeries::dsxBottom ? aiBottom : aiTop];
        const Tsp_Axis& y = FAxes[series->YAxis == Tsp_DataSeries::dsyLeft ? aiLeft : aiRight];
        series->Draw(APainter, x, y, FField);
    }
    APainter.restore();
}

void Tsp_XYPlot::DrawAll(QPainter& APainter, bool ASurroundings)
{
    APainter.setRenderHint(QPainter::Antialiasing, false);
    if (ASurroundings)
        DrawSurroundings(APainter);
    DrawField(APainter);
    if (OnDrawEnd)
        OnDrawEnd(APainter);
}

void Tsp_XYPlot::paintEvent(QPaintEvent*)
{
    if (FLayoutInvalid)
        ComputeLayout();
    if (!FBufferedDisplay) {
        QPainter painter(this);
        DrawAll(painter, true);
        FSurroundInvalid = FFieldInvalid = false;
        return;
    }
    // One buffer for all plots: the panels' charts have the same size, and each of them redraws
    // its surroundings at nearly every tick anyway as its time axis scrolls. It keeps the
    // surroundings of the plot that drew last, so a plot that draws alone redraws only its field.
    TSharedBuffer& shared = SharedBuffer();
    const qreal ratio = devicePixelRatioF();
    const QSize need = size() * ratio;
    if (shared.Image.size() != need || shared.Image.devicePixelRatio() != ratio) {
        shared.Image = QImage(need, QImage::Format_RGB32);
        shared.Image.setDevicePixelRatio(ratio);
        shared.Owner = nullptr;
    }
    if (shared.Owner != this) {
        shared.Owner = this;
        FSurroundInvalid = true;
    }
    if (FSurroundInvalid || FFieldInvalid) {
        // The field lies inside the surroundings: redrawing those repaints the field too.
        QPainter painter(&shared.Image);
        DrawAll(painter, FSurroundInvalid);
        FSurroundInvalid = FFieldInvalid = false;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, shared.Image);
}

void Tsp_XYPlot::resizeEvent(QResizeEvent* AEvent)
{
    Invalidate();
    QWidget::resizeEvent(AEvent);
}

void Tsp_XYPlot::changeEvent(QEvent* AEvent)
{
    if (AEvent->type() == QEvent::FontChange)
        FLabelCache.clear();
    if (AEvent->type() == QEvent::FontChange || AEvent->type() == QEvent::PaletteChange)
        Invalidate();
    QWidget::changeEvent(AEvent);
}

void Tsp_XYPlot::mousePressEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() == Qt::LeftButton && AEvent->modifiers() == FPanShiftKeys && FPan != zpdNone && !FPanning) {
        FPanning = true;
        FPanPrevious = AEvent->position().toPoint();
        FSavedCursor = cursor();
        setCursor(FPanCursor);
    }
    QWidget::mousePressEvent(AEvent);
}

void Tsp_XYPlot::mouseMoveEvent(QMouseEvent* AEvent)
{
    const QPoint pos = AEvent->position().toPoint();
    if (FPanning) {
        const int dx = FPanPrevious.x() - pos.x();
        const int dy = FPanPrevious.y() - pos.y();
        if (FPan == zpdHorizontal || FPan == zpdBoth) {
            BottomAxis().MoveByPixels(dx);
            TopAxis().MoveByPixels(dx);
        }
        if (FPan == zpdVertical || FPan == zpdBoth) {
            LeftAxis().MoveByPixels(dy);
            RightAxis().MoveByPixels(dy);
        }
        FPanPrevious = pos;
    }
    if (OnMouseMove)
        OnMouseMove(pos.x(), pos.y());
    QWidget::mouseMoveEvent(AEvent);
}

void Tsp_XYPlot::mouseReleaseEvent(QMouseEvent* AEvent)
{
    if (FPanning && AEvent->button() == Qt::LeftButton) {
        FPanning = false;
        setCursor(FSavedCursor);
    }
    QWidget::mouseReleaseEvent(AEvent);
}

void Tsp_XYPlot::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    if (OnDblClick)
        OnDblClick();
    QWidget::mouseDoubleClickEvent(AEvent);
}

} // namespace qn
