// A chart series drawn as a polyline of its points.
#pragma once

#include "chart/sp_scale.h"
#include "chart/sp_xy_data_series.h"
#include "chart/thin_line_raster.h"

#include <QPen>
#include <QRect>

class QPainter;

namespace qn {

// Marker drawn at each point; the watcher leaves them off.
struct Tsp_PointAttr
{
    bool Visible = false;
    int Size = 5;
    std::uint32_t Color = 0x000000;

    bool operator==(const Tsp_PointAttr&) const = default;
};

// The 0xRRGGBB number a line attribute keeps for a colour, and back.
std::uint32_t Tsp_RgbOf(const QColor& AColor);
QColor Tsp_ColorOf(std::uint32_t ARgb);

// A cosmetic, non-antialiased pen of a line attribute.
QPen Tsp_MakePen(const Tsp_LineAttr& AAttr);

// Draws the segments with the painter's pen in one call. Thin solid opaque lines on a plain 32-bit
// image without transformation are written into its pixels directly (the painter's general
// stroker costs several times more per pixel); anything else goes through the painter.
void Tsp_DrawLines(QPainter& APainter, const TThinSegment* ASegments, int ACount);

class Tsp_XYLine : public Tsp_XYDataSeries
{
public:
    const Tsp_LineAttr& LineAttr() const { return FLineAttr; }
    void SetLineAttr(const Tsp_LineAttr& AAttr);
    const Tsp_PointAttr& PointAttr() const { return FPointAttr; }
    void SetPointAttr(const Tsp_PointAttr& AAttr);

    // Draws the series into AField (the painter is already clipped to it) against its two axes.
    // Each run of the series (see Tsp_XYDataSeries) is a polyline of its own; within a run only
    // the segments that can reach the field are visited, found by binary search, and the picture
    // is the same as drawing every segment of the run.
    virtual void Draw(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis, const QRect& AField) const;

    // True when a picture of the series moved sideways by whole pixels is the picture drawn
    // there: one-pixel solid lines only, no markers, and no line drawn since ClearFarLines that
    // reached far enough out for the pixel clamp to bend it once moved.
    bool Movable() const;
    // The widest field whose picture may be moved so.
    static constexpr int MovableWidth = 8000;
    void ClearFarLines() const { FFarLines = false; }

private:
    void DrawLines(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis, const QRect& AField) const;
    void DrawMarkers(QPainter& APainter, const Tsp_Scale& AXAxis, const Tsp_Scale& AYAxis) const;

    Tsp_LineAttr FLineAttr{};
    Tsp_PointAttr FPointAttr{};
    mutable bool FFarLines = false;
};

} // namespace qn
