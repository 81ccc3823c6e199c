// Tsp_XYPlot: layout, drawing order, buffered display and panning of the chart control.
#include "chart/sp_xy_plot.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace qn {

namespace {

constexpr int TickLength = 4;
constexpr int LabelGap = 5;
// How far a label's glyphs may reach beyond its advance box, a font height tall.
constexpr int LabelOverhang = 3;
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

Tsp_XYPlot::Tsp_XYPlot(QWidget* AParent)
    : QWidget(AParent), FAxes{Tsp_Axis(InitialFlags[0]), Tsp_Axis(InitialFlags[1]), Tsp_Axis(InitialFlags[2]),
                              Tsp_Axis(InitialFlags[3])},
      FColor(palette().color(QPalette::Window))
{
    for (std::size_t i = 0; i < FAxes.size(); ++i) {
        Tsp_LineAttr grid = FAxes[i].GridAttr();
        grid.Visible = i == aiLeft || i == aiBottom;
        FAxes[i].SetGridAttr(grid);
        FAxes[i].OnChange = [this, i](Tsp_AxisChange AChange) { AxisChanged(static_cast<TAxisId>(i), AChange); };
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

Tsp_XYPlot::~Tsp_XYPlot()
{
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
    FFieldShowPending = true;
    update();
}

void Tsp_XYPlot::AxisChanged(TAxisId AId, Tsp_AxisChange AChange)
{
    if (AChange == Tsp_AxisChange::Layout) {
        Invalidate();
        return;
    }
    // A scroll moves this axis's labels only; the next paint finds out whether the layout stands and
    // how much of the field it can keep, and shows the rest if it has to draw more.
    FLabelsInvalid[static_cast<std::size_t>(AId)] = true;
    FFieldShowPending = true;
    if (FLayoutInvalid || FSurroundInvalid || FPicture.isNull())
        update();
    else
        update(QRegion(FField).united(BandRect(AId)));
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
    // The series keep where their points changed: the next paint draws only there.
    UpdateChangedArea();
}

void Tsp_XYPlot::UpdateChangedArea()
{
    // Only the columns the next paint will draw again are shown afresh, not the whole control; once
    // the whole field is to be shown (a scroll), later changes before the paint add nothing.
    if (FFieldShowPending)
        return;
    if (!FBufferedDisplay || FLayoutInvalid || FSurroundInvalid || FPicture.isNull()) {
        FFieldShowPending = true;
        update();
        return;
    }
    // The axes' labels do not change the field's columns, but a scroll of their axis does.
    const TFieldUpdate plan = PlanFieldUpdate();
    if (plan.Whole || plan.Shift != 0) {
        FFieldShowPending = true;
        update(FField);
        return;
    }
    // Both series of a tick change the same columns: the second asks nothing more.
    for (const auto& [left, right] : plan.Spans) {
        const QRect columns(left, FField.top(), right - left + 1, FField.height());
        // (QRegion::contains would say whether they overlap.)
        if (std::any_of(FColumnsAsked.begin(), FColumnsAsked.end(),
                        [&](const QRect& AAsked) { return AAsked.contains(columns); }))
            continue;
        FColumnsAsked += columns;
        update(columns);
    }
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
    EnsureLayout();
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

void Tsp_XYPlot::EnsureLayout()
{
    if (FLayoutInvalid)
        ComputeLayout();
    else if (std::find(FLabelsInvalid.begin(), FLabelsInvalid.end(), true) != FLabelsInvalid.end())
        Relabel();
}

void Tsp_XYPlot::ComputeLayout()
{
    for (int id = 0; id < 4; ++id)
        ComputeLabels(static_cast<TAxisId>(id));
    FField = ComputeField();
    FLayoutInvalid = false;
    FLabelsInvalid = {};
    // A field that moved or changed size is told by the paint that compares it.
    FSurroundInvalid = true;
}

// After a scroll: the moved axes' labels anew, the rest as they were. While the bands and the field
// stay, only the moved axes' bands are drawn again; else all around the field.
void Tsp_XYPlot::Relabel()
{
    std::array<int, 4> bands{};
    for (std::size_t id = 0; id < 4; ++id)
        bands[id] = FAxisLayout[id].Band;
    for (std::size_t id = 0; id < 4; ++id)
        if (FLabelsInvalid[id])
            ComputeLabels(static_cast<TAxisId>(id));
    const QRect field = ComputeField();
    bool same = field == FField;
    for (std::size_t id = 0; id < 4; ++id)
        same = same && bands[id] == FAxisLayout[id].Band;
    FField = field;
    for (std::size_t id = 0; id < 4; ++id)
        FBandInvalid[id] = FBandInvalid[id] || FLabelsInvalid[id];
    FSurroundInvalid = FSurroundInvalid || !same;
    FLabelsInvalid = {};
}

void Tsp_XYPlot::ComputeLabels(TAxisId AId)
{
    const TFontSizes sizes = FontSizes();
    const Tsp_Axis& axis = FAxes[AId];
    TAxisLayout& lay = FAxisLayout[AId];
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
        lay.Band = lineWidth + LabelGap + (IsVertical(AId) ? widest * sizes.CharWidth : sizes.Height);
    else if (lay.HasMarks)
        lay.Band = lineWidth + TickLength;
    else
        lay.Band = lineWidth;
}

QRect Tsp_XYPlot::ComputeField()
{
    const TFontSizes sizes = FontSizes();
    const int charWidth = sizes.CharWidth;
    const int fontHeight = sizes.Height;
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
    return field;
}

QRect Tsp_XYPlot::BandRect(TAxisId AId) const
{
    const QRect r = rect();
    switch (AId) {
    case aiLeft:
        return QRect(r.left(), r.top(), FField.left() - r.left(), r.height());
    case aiRight:
        return QRect(FField.right() + 1, r.top(), r.right() - FField.right(), r.height());
    case aiTop:
        return QRect(r.left(), r.top(), r.width(), FField.top() - r.top());
    default:
        return QRect(r.left(), FField.bottom() + 1, r.width(), r.bottom() - FField.bottom());
    }
}

void Tsp_XYPlot::DrawAxis(QPainter& APainter, TAxisId AId, const QRegion& AArea)
{
    const Tsp_Axis& axis = FAxes[AId];
    const TAxisLayout& lay = FAxisLayout[AId];
    const bool vertical = IsVertical(AId);
    const Tsp_LineAttr& attr = axis.LineAttr();
    const int lineWidth = attr.Visible ? attr.Width : 0;
    const Tsp_Point o = axis.Origin();
    const int fieldLeft = FField.left(), fieldTop = FField.top();
    const int fieldRight = fieldLeft + FField.width(), fieldBottom = fieldTop + FField.height();

    // Whether any of it reaches the area, first: a scroll draws narrow strips of one band, which
    // the other axes seldom touch. An axis whose marks and labels point away from the field draws
    // all in its band but for the ends of a wide line; one that points into it is measured.
    const TThinSegment line = vertical ? TThinSegment{o.X, fieldTop - 1, o.X, fieldBottom}
                                       : TThinSegment{fieldLeft - 1, o.Y, fieldRight, o.Y};
    // A thin line lights its own pixels only; a wide one up to half its width around them, and
    // its square ends as far beyond them (a pixel more, whichever way the halves round).
    const auto bounds = [](const TThinSegment& ASegment, int AWidth) {
        const int spread = AWidth <= 1 ? 0 : AWidth / 2 + 1;
        return QRect(QPoint(std::min(ASegment.X0, ASegment.X1), std::min(ASegment.Y0, ASegment.Y1)),
                     QPoint(std::max(ASegment.X0, ASegment.X1), std::max(ASegment.Y0, ASegment.Y1)))
            .adjusted(-spread, -spread, spread, spread);
    };
    const int sign = OutwardSign(AId);
    const bool outward = AId == aiLeft || AId == aiTop ? sign < 0 : sign > 0;
    QRect reach = outward ? BandRect(AId) : QRect();
    if (attr.Visible)
        reach |= bounds(line, lineWidth);
    const int base = vertical ? o.X : o.Y;
    FSegments.clear();
    if (lay.HasMarks) {
        const int from = base + sign * std::max(lineWidth, 1);
        const int to = from + sign * (TickLength - 1);
        for (int i = 0; i < axis.TickCount(); ++i) {
            const int p = axis.TickPosition(i);
            FSegments.push_back(vertical ? TThinSegment{from, p, to, p} : TThinSegment{p, from, p, to});
            if (!outward)
                reach |= bounds(FSegments.back(), 1);
        }
    }
    std::vector<TPlacedLabel> labels;
    if (!outward) {
        labels = PlaceLabels(AId);
        for (const TPlacedLabel& label : labels)
            reach |= label.Reach();
    }
    if (!AArea.intersects(reach))
        return;
    if (outward)
        labels = PlaceLabels(AId);

    if (attr.Visible) {
        APainter.setPen(Tsp_MakePen(attr));
        Tsp_DrawLines(APainter, &line, 1);
    }
    if (!FSegments.empty()) {
        APainter.setPen(Tsp_MakePen({attr.Color, Tsp_PenStyle::Solid, 1, true}));
        Tsp_DrawLines(APainter, FSegments.data(), static_cast<int>(FSegments.size()));
    }
    if (!labels.empty()) {
        APainter.setPen(palette().color(QPalette::WindowText));
        for (const TPlacedLabel& label : labels)
            if (AArea.intersects(label.Reach()))
                APainter.drawStaticText(label.Box.topLeft(), CachedLabel(label.Text).Text);
    }
}

QRect Tsp_XYPlot::TPlacedLabel::Reach() const
{
    return Box.adjusted(-LabelOverhang, -LabelOverhang, LabelOverhang, LabelOverhang);
}

int Tsp_XYPlot::OutwardSign(TAxisId AId) const
{
    if (IsVertical(AId))
        return FAxes[AId].Opposite() ? 1 : -1;
    return FAxes[AId].Opposite() ? -1 : 1;
}

const Tsp_XYPlot::TLabel& Tsp_XYPlot::CachedLabel(const QString& AText)
{
    auto cached = FLabelCache.find(AText);
    if (cached != FLabelCache.end())
        return *cached;
    // A bounded cache: a day of distinct time labels must not pile up.
    if (FLabelCache.size() > 256)
        FLabelCache.clear();
    TLabel label{QStaticText(AText), QFontMetrics(font()).horizontalAdvance(AText)};
    label.Text.setTextFormat(Qt::PlainText);
    label.Text.setPerformanceHint(QStaticText::AggressiveCaching);
    label.Text.prepare(QTransform(), font());
    return *FLabelCache.insert(AText, label);
}

Tsp_XYPlot::TFontSizes Tsp_XYPlot::FontSizes()
{
    if (!FFontSizes) {
        const QFontMetrics fm(font());
        FFontSizes = TFontSizes{fm.horizontalAdvance(QLatin1Char('0')), fm.height()};
    }
    return *FFontSizes;
}

std::vector<Tsp_XYPlot::TPlacedLabel> Tsp_XYPlot::PlaceLabels(TAxisId AId)
{
    std::vector<TPlacedLabel> placed;
    const Tsp_Axis& axis = FAxes[AId];
    const TAxisLayout& lay = FAxisLayout[AId];
    if (!lay.HasLabels)
        return placed;
    const bool vertical = IsVertical(AId);
    const int sign = OutwardSign(AId);
    const int lineWidth = axis.LineAttr().Visible ? axis.LineAttr().Width : 0;
    const int fontHeight = FontSizes().Height;
    const int gap = (vertical ? axis.Origin().X : axis.Origin().Y) + sign * (lineWidth + LabelGap);
    for (int i = 0; i < axis.TickCount() && i < static_cast<int>(lay.Labels.size()); ++i) {
        const QString& text = lay.Labels[static_cast<std::size_t>(i)];
        const int width = CachedLabel(text).Width;
        const int p = axis.TickPosition(i);
        int x, y; // top-left of the text
        if (vertical) {
            y = p - fontHeight / 2;
            x = sign < 0 ? gap - width : gap;
        } else {
            x = p - width / 2;
            y = sign > 0 ? gap : gap - fontHeight;
        }
        placed.push_back({QRect(x, y, width, fontHeight), text});
    }
    return placed;
}

void Tsp_XYPlot::DrawSurroundings(QPainter& APainter, const QRegion& AArea)
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
        DrawAxis(APainter, static_cast<TAxisId>(id), AArea);
}

void Tsp_XYPlot::DrawBands(QPainter& APainter, const TFieldUpdate& APlan)
{
    QRegion bands;
    for (std::size_t id = 0; id < 4; ++id) {
        if (!FBandInvalid[id])
            continue;
        const auto axis = static_cast<TAxisId>(id);
        if (APlan.Scrolled == static_cast<int>(id) && BandMoves(axis)) {
            bands += MoveBand(axis, APlan.Shift);
        } else {
            bands += BandRect(axis);
            ++FWholeBandPaints;
        }
    }
    FBandInvalid = {};
    if (bands.isEmpty())
        return;
    // Drawn as the whole surroundings draw them: another axis's label reaching into a band is
    // drawn again in its place.
    const QRegion area = bands.subtracted(FField);
    APainter.save();
    APainter.setClipRegion(area);
    DrawSurroundings(APainter, area);
    APainter.restore();
}

bool Tsp_XYPlot::BandMoves(TAxisId AId)
{
    if (IsVertical(AId) || FDrawn.Labels[AId].size() != static_cast<std::size_t>(FDrawn.Axes[AId].TickCount()))
        return false;
    const QRect band = BandRect(AId);
    const QRect moving(FField.left(), band.top(), FField.width(), band.height());
    for (int other = 0; other < 4; ++other) {
        if (other == AId)
            continue;
        // Where they were drawn is where they are: only this axis moved.
        for (const TPlacedLabel& label : FDrawn.Labels[static_cast<std::size_t>(other)])
            if (label.Reach().intersects(moving))
                return false;
    }
    return true;
}

QRegion Tsp_XYPlot::MoveBand(TAxisId AId, int AShift)
{
    const QRect band = BandRect(AId);
    MoveColumns(band.top(), band.bottom(), AShift);
    const int left = FField.left(), right = FField.right();
    const auto columns = [&](int AFrom, int ATo) {
        return QRect(QPoint(AFrom, band.top()), QPoint(ATo, band.bottom()));
    };
    // The ends beyond the field's columns stay where they are, and the columns that came in are
    // drawn with two more, as the field's are.
    constexpr int Edge = 2;
    QRegion redraw = columns(left, left + std::max(AShift, 0) + Edge);
    redraw += columns(right + std::min(AShift, 0) - Edge, right);
    // Labels that did not just move along: those that left or came, or changed their text.
    const std::vector<TPlacedLabel> now = PlaceLabels(AId);
    std::vector<TPlacedLabel> moved = FDrawn.Labels[AId];
    for (TPlacedLabel& label : moved)
        label.Box.translate(AShift, 0);
    const auto changes = [&](const std::vector<TPlacedLabel>& AFrom, const std::vector<TPlacedLabel>& AIn) {
        for (const TPlacedLabel& label : AFrom)
            if (std::find(AIn.begin(), AIn.end(), label) == AIn.end())
                redraw += label.Reach();
    };
    changes(moved, now);
    changes(now, moved);
    // The same for the marks.
    const Tsp_Scale& before = FDrawn.Axes[AId];
    const Tsp_Axis& axis = FAxes[AId];
    std::vector<int> was, is;
    for (int i = 0; i < before.TickCount(); ++i)
        was.push_back(before.TickPosition(i) + AShift);
    for (int i = 0; i < axis.TickCount(); ++i)
        is.push_back(axis.TickPosition(i));
    for (const auto& [from, in] : {std::pair{&was, &is}, std::pair{&is, &was}})
        for (int p : *from)
            if (std::find(in->begin(), in->end(), p) == in->end())
                redraw += columns(p - 1, p + 1);
    // The ends stay as they are unless this axis's labels or marks reach into them, before or now.
    for (const QRect& end : {columns(band.left(), left - 1), columns(right + 1, band.right())}) {
        bool reached = false;
        for (const std::vector<TPlacedLabel>* labels : {&std::as_const(FDrawn.Labels[AId]), &now})
            for (const TPlacedLabel& label : *labels)
                reached = reached || label.Reach().intersects(end);
        for (int p : was)
            reached = reached || (p - AShift + 1 >= end.left() && p - AShift - 1 <= end.right());
        for (int p : is)
            reached = reached || (p + 1 >= end.left() && p - 1 <= end.right());
        if (reached)
            redraw += end;
    }
    return redraw.intersected(band);
}

void Tsp_XYPlot::DrawField(QPainter& APainter, const QRect& AArea)
{
    APainter.save();
    APainter.setClipRect(AArea);
    if (FFieldColor.isValid())
        APainter.fillRect(AArea, FFieldColor);
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
    // The series visit only the points near the area.
    for (const auto& series : FSeries) {
        if (!series->Active)
            continue;
        const Tsp_Axis& x = FAxes[series->XAxis == Tsp_DataSeries::dsxBottom ? aiBottom : aiTop];
        const Tsp_Axis& y = FAxes[series->YAxis == Tsp_DataSeries::dsyLeft ? aiLeft : aiRight];
        series->Draw(APainter, x, y, AArea);
    }
    APainter.restore();
}

void Tsp_XYPlot::DrawAll(QPainter& APainter, bool ASurroundings)
{
    APainter.setRenderHint(QPainter::Antialiasing, false);
    if (ASurroundings)
        DrawSurroundings(APainter, QRegion(rect()));
    DrawField(APainter, FField);
    if (OnDrawEnd)
        OnDrawEnd(APainter);
}

void Tsp_XYPlot::paintEvent(QPaintEvent* AEvent)
{
    FFieldShowPending = false;
    FColumnsAsked = QRegion();
    EnsureLayout();
    if (!FBufferedDisplay) {
        QPainter painter(this);
        DrawAll(painter, true);
        FSurroundInvalid = FFieldInvalid = false;
        FBandInvalid = {};
        return;
    }
    const QRegion changed = UpdatePicture();
    QPainter painter(this);
    // One rectangle at a time: under a clip of several rectangles the raster engine blends the
    // picture span by span and hands tall areas to its worker threads, every tick.
    for (const QRect& r : AEvent->region()) {
        if (FRing == 0 || !r.intersects(FField)) {
            painter.setClipRect(r);
            painter.drawImage(0, 0, FPicture);
            continue;
        }
        for (const QRect& around : QRegion(r).subtracted(FField)) {
            painter.setClipRect(around);
            painter.drawImage(0, 0, FPicture);
        }
        const QRect inside = r & FField;
        painter.setClipRect(inside);
        ForRingPieces(inside.left(), inside.right(), [&](int ALeft, int ARight, int AOffset) {
            painter.drawImage(QPoint(ALeft, inside.top()), FPicture,
                              QRect(ALeft + AOffset, inside.top(), ARight - ALeft + 1, inside.height()));
        });
    }
    // A change asked to show less than it drew (a scroll that changed the layout) shows the rest
    // next. What a parent hides is not asked again: the paint gets none of it, and the picture has
    // it for when it comes into view.
    QRegion missed = changed.subtracted(AEvent->region());
    if (!missed.isEmpty())
        missed &= visibleRegion();
    if (!missed.isEmpty())
        update(missed);
}

QRegion Tsp_XYPlot::UpdatePicture()
{
    const qreal ratio = devicePixelRatioF();
    const QSize need = size() * ratio;
    if (FPicture.size() != need || FPicture.devicePixelRatio() != ratio) {
        FPicture = QImage(need, QImage::Format_RGB32);
        FPicture.setDevicePixelRatio(ratio);
        FSurroundInvalid = FFieldInvalid = true;
    }
    const TFieldUpdate plan = PlanFieldUpdate();
    const bool anyBand = std::find(FBandInvalid.begin(), FBandInvalid.end(), true) != FBandInvalid.end();
    if (!plan.Whole && !FSurroundInvalid && !anyBand && plan.Shift == 0 && plan.Spans.empty())
        return {}; // nothing to draw
    // A whole field is drawn with its surroundings, and what is drawn last over everything too.
    if (anyBand && (plan.Whole || OnDrawEnd))
        FSurroundInvalid = true;
    if (FSurroundInvalid)
        FBandInvalid = {};
    QRegion changed;
    if (FSurroundInvalid || OnDrawEnd)
        changed = rect();
    else if (plan.Whole || plan.Shift != 0)
        changed = FField;
    for (std::size_t id = 0; id < 4; ++id)
        if (FBandInvalid[id])
            changed += BandRect(static_cast<TAxisId>(id));
    for (const auto& [left, right] : plan.Spans)
        changed += QRect(left, FField.top(), right - left + 1, FField.height());
    FWholeSurroundingPaints += FSurroundInvalid ? 1 : 0;
    QPainter painter(&FPicture);
    if (plan.Whole) {
        FRing = 0;
        for (const auto& series : FSeries)
            series->ClearFarLines();
        DrawAll(painter, FSurroundInvalid);
        ++FWholeFieldPaints;
    } else {
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (FSurroundInvalid) {
            // Drawn around the field as a whole picture draws them; the field stays.
            painter.save();
            const QRegion around = QRegion(rect()).subtracted(FField);
            painter.setClipRegion(around);
            DrawSurroundings(painter, around);
            painter.restore();
        }
        DrawBands(painter, plan);
        // The field's pixels stay; the ring turns under them.
        const int width = FField.width();
        FRing = ((FRing - plan.Shift) % width + width) % width;
        for (const auto& [left, right] : plan.Spans)
            ForRingPieces(left, right, [&](int ALeft, int ARight, int AOffset) {
                painter.save();
                painter.translate(AOffset, 0);
                DrawField(painter, QRect(ALeft, FField.top(), ARight - ALeft + 1, FField.height()));
                painter.restore();
            });
    }
    FSurroundInvalid = FFieldInvalid = false;
    RememberField();
    return changed;
}

Tsp_XYPlot::TFieldUpdate Tsp_XYPlot::PlanFieldUpdate() const
{
    TFieldUpdate update;
    // What the field shows besides grids and plain lines, or a picture that does not move in
    // whole screen pixels, is drawn whole.
    if (FFieldInvalid || !FFieldColor.isValid() || OnFieldDraw || OnDrawEnd || FField != FDrawn.Field ||
        FField.width() >= Tsp_XYLine::MovableWidth || FPicture.devicePixelRatio() != 1.0 ||
        !FPicture.rect().contains(FField) || FSeries.size() != FDrawn.Series.size())
        return update;
    for (std::size_t i = 0; i < FSeries.size(); ++i) {
        const Tsp_XYLine& line = *FSeries[i];
        if (!(TSeriesState{line.Active, line.XAxis, line.YAxis, line.LineAttr(), line.PointAttr()} ==
              FDrawn.Series[i]) ||
            (line.Active && (!line.Movable() || line.AllChanged())))
            return update;
    }
    for (std::size_t id = 0; id < FAxes.size(); ++id) {
        const Tsp_LineAttr& grid = FAxes[id].GridAttr();
        if (!(grid == FDrawn.Grids[id]) || (grid.Visible && (grid.Style != Tsp_PenStyle::Solid || grid.Width > 1)))
            return update;
    }
    int shift = 0, scrolled = -1;
    if (!MovableAxes(shift, scrolled))
        return update;
    update.Whole = false;
    update.Shift = shift;
    update.Scrolled = scrolled;
    const int left = FField.left(), right = FField.right();
    if (scrolled >= 0) {
        // The columns the move brought in, and two more at each edge: a tick that left or entered
        // the range there may round onto the field's first or last pixels.
        constexpr int Edge = 2;
        update.Spans.emplace_back(left, left + std::max(shift, 0) + Edge);
        update.Spans.emplace_back(right + std::min(shift, 0) - Edge, right);
    }
    AddChangedSpans(update);
    // In order and merged, within the field.
    auto& spans = update.Spans;
    for (auto& span : spans)
        span = {std::max(span.first, left), std::min(span.second, right)};
    std::erase_if(spans, [](const std::pair<int, int>& ASpan) { return ASpan.first > ASpan.second; });
    std::sort(spans.begin(), spans.end());
    std::size_t kept = 0;
    for (const auto& span : spans) {
        if (kept > 0 && span.first <= spans[kept - 1].second + 1)
            spans[kept - 1].second = std::max(spans[kept - 1].second, span.second);
        else
            spans[kept++] = span;
    }
    spans.resize(kept);
    return update;
}

bool Tsp_XYPlot::MovableAxes(int& AShift, int& AScrolled) const
{
    // The value axes must be as they were: their grids run across the whole field.
    for (TAxisId id : {aiLeft, aiRight})
        if (!FAxes[id].SameMapping(FDrawn.Axes[id]))
            return false;
    // At most one time axis may have scrolled; what the other one puts in the field stays put,
    // so it must put nothing there.
    int shifts[4] = {};
    for (TAxisId id : {aiBottom, aiTop}) {
        if (!FAxes[id].ScrolledFrom(FDrawn.Axes[id], shifts[id]))
            return false;
        if (!FAxes[id].SameMapping(FDrawn.Axes[id])) {
            if (AScrolled >= 0)
                return false;
            AScrolled = id;
        }
    }
    if (AScrolled < 0)
        return true;
    const TAxisId still = AScrolled == aiBottom ? aiTop : aiBottom;
    const Tsp_DataSeries::TXAxis stillSide = still == aiBottom ? Tsp_DataSeries::dsxBottom : Tsp_DataSeries::dsxTop;
    if (FAxes[still].GridAttr().Visible && FAxes[still].TickCount() > 0)
        return false;
    for (const auto& series : FSeries)
        if (series->Active && series->XAxis == stillSide)
            return false;
    AShift = shifts[AScrolled];
    return std::abs(AShift) < FField.width();
}

void Tsp_XYPlot::AddChangedSpans(TFieldUpdate& AUpdate) const
{
    // Lines that appeared or went lie within the columns of their end points.
    for (const auto& series : FSeries) {
        if (!series->Active)
            continue;
        const Tsp_Axis& x = FAxes[series->XAxis == Tsp_DataSeries::dsxBottom ? aiBottom : aiTop];
        for (auto place : {Tsp_XYDataSeries::cpFront, Tsp_XYDataSeries::cpElsewhere}) {
            const Tsp_XYDataSeries::TChangedX& changed = series->ChangedX(place);
            if (changed.Low > changed.High)
                continue;
            const int a = x.V2P(changed.Low), b = x.V2P(changed.High);
            AUpdate.Spans.emplace_back(std::min(a, b) - 1, std::max(a, b) + 1);
        }
    }
}

template <class TVisit>
void Tsp_XYPlot::ForRingPieces(int ALeft, int ARight, TVisit AVisit) const
{
    // Column x of the field is kept FRing columns further right, or, past the field's right edge,
    // wrapped round to its left end.
    const int wrap = FField.left() + FField.width() - FRing; // the first column that wraps
    if (ALeft < wrap)
        AVisit(ALeft, std::min(ARight, wrap - 1), FRing);
    if (ARight >= wrap)
        AVisit(std::max(ALeft, wrap), ARight, FRing - FField.width());
}

void Tsp_XYPlot::MoveColumns(int ATop, int ABottom, int AShift)
{
    if (AShift == 0)
        return;
    const int width = FField.width() - std::abs(AShift);
    const int from = AShift < 0 ? FField.left() - AShift : FField.left();
    const int to = AShift < 0 ? FField.left() : FField.left() + AShift;
    for (int y = ATop; y <= ABottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(FPicture.scanLine(y));
        std::memmove(row + to, row + from, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    }
}

void Tsp_XYPlot::RememberField()
{
    FDrawn.Field = FField;
    for (std::size_t id = 0; id < FAxes.size(); ++id) {
        FDrawn.Axes[id] = FAxes[id];
        FDrawn.Grids[id] = FAxes[id].GridAttr();
    }
    for (std::size_t id = 0; id < FAxes.size(); ++id)
        FDrawn.Labels[id] = PlaceLabels(static_cast<TAxisId>(id));
    FDrawn.Series.clear();
    for (const auto& series : FSeries) {
        FDrawn.Series.push_back(
            {series->Active, series->XAxis, series->YAxis, series->LineAttr(), series->PointAttr()});
        series->ClearChanges();
    }
}

void Tsp_XYPlot::resizeEvent(QResizeEvent* AEvent)
{
    Invalidate();
    QWidget::resizeEvent(AEvent);
}

void Tsp_XYPlot::changeEvent(QEvent* AEvent)
{
    if (AEvent->type() == QEvent::FontChange) {
        FLabelCache.clear();
        FFontSizes.reset();
    }
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
