// A chart series drawn as a polyline of its points.
#include "chart/sp_xy_line.h"

#include "chart/thin_line_raster.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace qn {

namespace {

// Segments with both ends this far out on the same side are skipped; the pixels are clamped to
// +-16383 by V2P, so such a segment could only be a misleading stripe along the clamp line.
constexpr int SkipLimit = 16000;

// The segment lists are kept between paints to spare an allocation each; one that a wide view
// (a day on screen) made longer than this is given back after the paint instead of being kept.
constexpr std::size_t KeptSegments = 4096;

template <class T>
void GiveBackIfLong(std::vector<T>& AList)
{
    if (AList.capacity() > KeptSegments)
        std::vector<T>().swap(AList);
}

bool Skipped(int AX0, int AY0, int AX1, int AY1)
{
    return (AX0 < -SkipLimit && AX1 < -SkipLimit) || (AX0 > SkipLimit && AX1 > SkipLimit) ||
           (AY0 < -SkipLimit && AY1 < -SkipLimit) || (AY0 > SkipLimit && AY1 > SkipLimit);
}

// True when the segment from the run's end to (AX, AY) goes on along the run's pixel row or column in
// the same direction, so that one longer segment lights the same pixels as the two.
bool Continues(const TThinSegment& ARun, int AX, int AY)
{
    const int dx = ARun.X1 - ARun.X0, dy = ARun.Y1 - ARun.Y0;
    const int ex = AX - ARun.X1, ey = AY - ARun.Y1;
    if (dy == 0 && ey == 0)
        return (dx >= 0 && ex >= 0) || (dx <= 0 && ex <= 0);
    if (dx == 0 && ex == 0)
        return (dy >= 0 && ey >= 0) || (dy <= 0 && ey <= 0);
    return false;
}

// The first index in [AFrom, ATo) for which APred is false; APred must be true then false.
template <class TPred>
int PartitionPoint(int AFrom, int ATo, TPred APred)
{
    while (AFrom < ATo) {
        const int mid = AFrom + (ATo - AFrom) / 2;
        if (APred(mid))
            AFrom = mid + 1;
        else
            ATo = mid;
    }
    return AFrom;
}

// A clip of a few rectangles, each rasterized on its own: the rectangles of a region do not overlap.
constexpr int MaxClipRects = 8;
struct TDirectClip
{
    std::array<TPixelClip, MaxClipRects> Rects; // in the image's pixels
    int Count = 0;
    int Dx = 0, Dy = 0; // the painter's move of every point, in whole pixels
};

// The image the painter draws on when thin solid lines may be written into its pixels directly, with
// the clip in AClip: 32-bit pixels, no transformation but a move by whole pixels, no anti-aliasing,
// full opacity, an opaque pen at most one pixel wide and a clip of a few rectangles. Null when the
// painter has to draw them.
QImage* DirectTarget(QPainter& APainter, TDirectClip& AClip)
{
    QPaintDevice* device = APainter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    // A shared image would be copied by the write access and the painter would go on drawing on
    // the old pixels.
    if (!image->isDetached())
        return nullptr;
    const QPen& pen = APainter.pen();
    if ((APainter.renderHints() & QPainter::Antialiasing) ||
        APainter.compositionMode() != QPainter::CompositionMode_SourceOver || APainter.opacity() < 1.0 ||
        pen.style() != Qt::SolidLine || pen.widthF() > 1.0 || pen.brush().style() != Qt::SolidPattern ||
        pen.color().alpha() != 255)
        return nullptr;
    // A move by whole pixels (a scrolled chart's ring) keeps every pixel a pixel.
    const QTransform transform = APainter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != std::trunc(transform.dx()) ||
        transform.dy() != std::trunc(transform.dy()))
        return nullptr;
    AClip.Dx = static_cast<int>(transform.dx());
    AClip.Dy = static_cast<int>(transform.dy());
    const QRect whole = image->rect();
    AClip.Count = 0;
    auto add = [&](const QRect& ARect) {
        const QRect clip = ARect.translated(AClip.Dx, AClip.Dy) & whole;
        if (!clip.isEmpty())
            AClip.Rects[static_cast<std::size_t>(AClip.Count++)] = {clip.left(), clip.top(), clip.right(),
                                                                    clip.bottom()};
    };
    if (!APainter.hasClipping()) {
        add(whole.translated(-AClip.Dx, -AClip.Dy));
        return image;
    }
    const QRegion region = APainter.clipRegion();
    if (region.rectCount() > MaxClipRects)
        return nullptr;
    for (const QRect& rect : region)
        add(rect);
    return image;
}

} // namespace

void Tsp_DrawLines(QPainter& APainter, const TThinSegment* ASegments, int ACount)
{
    if (ACount <= 0)
        return;
    TDirectClip clip;
    if (QImage* image = DirectTarget(APainter, clip)) {
        thread_local std::vector<TThinSegment> moved;
        if (clip.Dx != 0 || clip.Dy != 0) {
            moved.assign(ASegments, ASegments + ACount);
            for (TThinSegment& s : moved)
                s = {s.X0 + clip.Dx, s.Y0 + clip.Dy, s.X1 + clip.Dx, s.Y1 + clip.Dy};
            ASegments = moved.data();
        }
        for (int i = 0; i < clip.Count; ++i)
            RasterizeThinLines(reinterpret_cast<std::uint32_t*>(image->bits()), image->bytesPerLine() / 4,
                               clip.Rects[static_cast<std::size_t>(i)], ASegments, ACount,
                               APainter.pen().color().rgba());
        GiveBackIfLong(moved);
        return;
    }
    thread_local std::vector<QLine> lines;
    lines.clear();
    for (int i = 0; i < ACount; ++i)
        lines.emplace_back(ASegments[i].X0, ASegments[i].Y0, ASegments[i].X1, ASegments[i].Y1);
    APainter.drawLines(lines.data(), ACount);
    GiveBackIfLong(lines);
}

std::uint32_t Tsp_RgbOf(const QColor& AColor)
{
    return static_cast<std::uint32_t>(AColor.rgb()) & 0xFFFFFFu;
}

QColor Tsp_ColorOf(std::uint32_t ARgb)
{
    return QColor((ARgb >> 16) & 0xFF, (ARgb >> 8) & 0xFF, ARgb & 0xFF);
}

QPen Tsp_MakePen(const Tsp_LineAttr& AAttr)
{
    QPen pen(Tsp_ColorOf(AAttr.Color));
    pen.setWidth(AAttr.Width);
    pen.setCosmetic(true);
    switch (AAttr.Style) {
    case Tsp_PenStyle::Solid:
        pen.setStyle(Qt::SolidLine);
        break;
    case Tsp_PenStyle::Dash:
        pen.setStyle(Qt::DashLine);
        break;
    case Tsp_PenStyle::Dot:
        pen.setStyle(Qt::DotLine);
        break;
    case Tsp_PenStyle::DashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case Tsp_PenStyle::DashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    }
    return pen;
}

void Tsp_XYLine::SetLineAttr(const Tsp_LineAttr& AAttr)
{
    FLineAttr = AAttr;
    Changed();
}

void Tsp_XYLine::SetPointAttr(const Tsp_PointAttr& AAttr)
{
    FPointAttr = AAttr;
    Changed();
}

bool Tsp_XYLine::Movable() const
{
    return !FFarLines && !FPointAttr.Visible &&
           (!FLineAttr.Visible || (FLineAttr.Style == Tsp_PenStyle::Solid && FLineAttr.Width <= 1));
}

namespace {

// The segments of a line series near a field, gathered for one call that draws them all.
class TSegmentCollector
{
public:
    TSegmentCollector(const Tsp_XYDataSeries& ASeries, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis, int ALo,
                      int AHi, QPainter* APatterned, std::vector<TThinSegment>& ASegments)
        : FSeries(ASeries), FX(AXAxis), FY(AYAxis), FLo(ALo), FHi(AHi), FPatterned(APatterned), FSegments(ASegments)
    {
    }

    // Lines ending this far out, or this long, may bend under the pixel clamp when moved; shorter
    // ones that still touch a field narrower than this never reach it.
    static constexpr int FarPixels = Tsp_XYLine::MovableWidth;
    bool Far() const { return FFar; }

    // A lone point (the first after a jump of the clock or a sleep) is a dot, so that the newest
    // reading shows at once.
    void AddDot(double AX, double AY)
    {
        const int x = FX.V2P(AX), y = FY.V2P(AY);
        if (x < FLo || x > FHi || Skipped(x, y, x, y))
            return;
        FFar |= std::abs(x) > FarPixels;
        if (FPatterned)
            FPatterned->drawPoint(x, y);
        else
            FSegments.push_back({x, y, x, y});
    }

    // The segments of run AFrom .. ATo - 1 that can reach the field. x ascends within a run, so
    // pixel x is monotonic in the index there and those segments form one run of their own, found
    // by binary search: a run wholly beside the field costs two comparisons.
    void AddRun(int AFrom, int ATo, double AFirstX, double ALastX)
    {
        const int firstX = FX.V2P(AFirstX), lastX = FX.V2P(ALastX);
        const bool inversed = FX.Inversed();
        if ((!inversed && (lastX < FLo || firstX > FHi)) || (inversed && (lastX > FHi || firstX < FLo)))
            return;
        auto px = [&](int AIndex) { return FX.V2P(FSeries.X(AIndex)); };
        int firstSeg, endSeg; // segments join point i - 1 to point i
        if (!inversed) {
            firstSeg = PartitionPoint(AFrom + 1, ATo, [&](int i) { return px(i) < FLo; });
            endSeg = PartitionPoint(firstSeg, ATo, [&](int i) { return px(i - 1) <= FHi; });
        } else {
            firstSeg = PartitionPoint(AFrom + 1, ATo, [&](int i) { return px(i) > FHi; });
            endSeg = PartitionPoint(firstSeg, ATo, [&](int i) { return px(i - 1) >= FLo; });
        }
        const int first = firstSeg - 1, last = endSeg - 1;
        if (last > first)
            AddSegments(first, last);
    }

private:
    // Segments from point AFirst to point ALast; the points of an idle link, all on one pixel
    // row, make one long segment instead of hundreds.
    void AddSegments(int AFirst, int ALast)
    {
        TThinSegment run{};
        bool open = false;
        int x0 = FX.V2P(FSeries.X(AFirst)), y0 = FY.V2P(FSeries.Y(AFirst));
        bool far = false;
        // Points are read a block at a time; the visitor is inlined, since a call per point would
        // cost more than the block-wise reading saves.
        FSeries.ForEachPoint(
            AFirst + 1, ALast + 1, [&](double AX, double AY) __attribute__((always_inline)) {
                const int x1 = FX.V2P(AX), y1 = FY.V2P(AY);
                if (Skipped(x0, y0, x1, y1)) {
                    if (open)
                        FSegments.push_back(run);
                    open = false;
                } else {
                    far |= std::abs(x1) > FarPixels || std::abs(x0) > FarPixels || std::abs(x1 - x0) > FarPixels;
                    if (FPatterned) {
                        FPatterned->drawLine(x0, y0, x1, y1);
                    } else if (open && Continues(run, x1, y1)) {
                        run.X1 = x1;
                        run.Y1 = y1;
                    } else {
                        if (open)
                            FSegments.push_back(run);
                        run = {x0, y0, x1, y1};
                        open = true;
                    }
                }
                x0 = x1;
                y0 = y1;
            });
        if (open)
            FSegments.push_back(run);
        FFar |= far;
    }

    const Tsp_XYDataSeries& FSeries;
    const Tsp_Scale& FX;
    const Tsp_Scale& FY;
    const int FLo, FHi;
    QPainter* FPatterned; // draws each segment at once when a dash pattern must not run on
    std::vector<TThinSegment>& FSegments;
    bool FFar = false;
};

} // namespace

void Tsp_XYLine::Draw(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis, const QRect& AField) const
{
    if (Count() == 0)
        return;
    // Markers need the bounds; without them the search finds the visible part of each run on its
    // own, and the painter clips what lies above or below the field: the series' bounds, which
    // trimming the oldest point of an idle link invalidates at every tick, would cost a scan of
    // every point.
    if (FPointAttr.Visible) {
        double xLow, xHigh, yLow, yHigh;
        GetXMinMax(xLow, xHigh);
        GetYMinMax(yLow, yHigh);
        if (xHigh < AXAxis.Min() || xLow > AXAxis.Max() || yHigh < AYAxis.Min() || yLow > AYAxis.Max())
            return;
    }
    if (Count() >= 2 && FLineAttr.Visible)
        DrawLines(APainter, AXAxis, AYAxis, AField);
    if (FPointAttr.Visible)
        DrawMarkers(APainter, AXAxis, AYAxis);
}

void Tsp_XYLine::DrawLines(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis,
                           const QRect& AField) const
{
    const QPen pen = Tsp_MakePen(FLineAttr);
    APainter.setPen(pen);
    // One call for all runs costs a fraction of a call per segment. A dash pattern would run on
    // across the segments of one call, so patterned lines keep one call per segment.
    const bool batch = pen.style() == Qt::SolidLine;
    thread_local std::vector<TThinSegment> segments;
    segments.clear();
    // The slack covers wide pens that reach past their end points.
    const int slack = FLineAttr.Width + 1;
    const int lo = AField.left() - slack;
    const int hi = AField.right() + slack;
    TSegmentCollector collector(*this, AXAxis, AYAxis, lo, hi, batch ? nullptr : &APainter, segments);
    const double edge0 = AXAxis.P2V(lo), edge1 = AXAxis.P2V(hi);
    ForEachRunNear(std::min(edge0, edge1), std::max(edge0, edge1),
                   [&](int AFrom, int ATo, double AFirstX, double ALastX) {
                       if (ATo - AFrom < 2)
                           collector.AddDot(AFirstX, Y(AFrom));
                       else
                           collector.AddRun(AFrom, ATo, AFirstX, ALastX);
                   });
    Tsp_DrawLines(APainter, segments.data(), static_cast<int>(segments.size()));
    GiveBackIfLong(segments);
    FFarLines |= collector.Far();
}

void Tsp_XYLine::DrawMarkers(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis) const
{
    APainter.setPen(Qt::NoPen);
    APainter.setBrush(Tsp_ColorOf(FPointAttr.Color));
    const int half = FPointAttr.Size / 2;
    for (int i = 0; i < Count(); ++i) {
        const int x = AXAxis.V2P(X(i)), y = AYAxis.V2P(Y(i));
        if (std::abs(x) <= SkipLimit && std::abs(y) <= SkipLimit)
            APainter.drawRect(x - half, y - half, FPointAttr.Size, FPointAttr.Size);
    }
    APainter.setBrush(Qt::NoBrush);
}

} // namespace qn
