// Tsp_XYPlot: the x-y chart control with four axes, line series, a buffered display and panning.
#pragma once

#include "chart/sp_axis.h"
#include "chart/sp_xy_line.h"

#include <QColor>
#include <QCursor>
#include <QHash>
#include <QImage>
#include <QRegion>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qn {

class Tsp_XYPlot : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor FieldColor READ FieldColor WRITE SetFieldColor)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool BufferedDisplay READ BufferedDisplay WRITE SetBufferedDisplay)
    Q_PROPERTY(TZoomPanDirection Zoom READ Zoom WRITE SetZoom)
    Q_PROPERTY(TZoomPanDirection Pan READ Pan WRITE SetPan)

public:
    enum TBorderStyle
    {
        bs_None,
        bs_Single,
        bs_Lowered,
        bs_Raised
    };
    Q_ENUM(TBorderStyle)
    enum TZoomPanDirection
    {
        zpdNone,
        zpdHorizontal,
        zpdVertical,
        zpdBoth
    };
    Q_ENUM(TZoomPanDirection)
    enum TAxisId
    {
        aiLeft,
        aiBottom,
        aiRight,
        aiTop
    };

    explicit Tsp_XYPlot(QWidget* AParent = nullptr);
    ~Tsp_XYPlot() override;

    // The axes, created with the flags 1 (left), 0 (bottom), 57 (right) and 56 (top); the left and
    // bottom grids are visible. Changing an axis re-lays out and repaints the plot.
    Tsp_Axis& LeftAxis() { return FAxes[aiLeft]; }
    Tsp_Axis& BottomAxis() { return FAxes[aiBottom]; }
    Tsp_Axis& RightAxis() { return FAxes[aiRight]; }
    Tsp_Axis& TopAxis() { return FAxes[aiTop]; }
    const Tsp_Axis& Axis(TAxisId AId) const { return FAxes[AId]; }

    // A new line series at the end of the drawing order, owned by the plot.
    Tsp_XYLine& AddLine();
    int SeriesCount() const { return static_cast<int>(FSeries.size()); }
    Tsp_XYLine& Series(int AIndex) { return *FSeries[static_cast<std::size_t>(AIndex)]; }

    QColor Color() const { return FColor; }
    void SetColor(const QColor& AColor);
    // An invalid colour leaves the field unfilled.
    QColor FieldColor() const { return FFieldColor; }
    void SetFieldColor(const QColor& AColor);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle AStyle);
    bool BufferedDisplay() const { return FBufferedDisplay; }
    void SetBufferedDisplay(bool AOn);
    TZoomPanDirection Zoom() const { return FZoom; }
    void SetZoom(TZoomPanDirection AZoom) { FZoom = AZoom; }
    TZoomPanDirection Pan() const { return FPan; }
    void SetPan(TZoomPanDirection APan) { FPan = APan; }
    Qt::KeyboardModifiers PanShiftKeys() const { return FPanShiftKeys; }
    void SetPanShiftKeys(Qt::KeyboardModifiers AKeys) { FPanShiftKeys = AKeys; }
    Qt::KeyboardModifiers ZoomShiftKeys() const { return FZoomShiftKeys; }
    void SetZoomShiftKeys(Qt::KeyboardModifiers AKeys) { FZoomShiftKeys = AKeys; }
    QCursor PanCursor() const { return FPanCursor; }
    void SetPanCursor(const QCursor& ACursor) { FPanCursor = ACursor; }

    // Called for every tick label with the axis, the tick index, the label (which it may change)
    // and the tick's value.
    std::function<void(const Tsp_Axis&, int, std::string&, double)> OnGetTickLabel;
    // Called after the field is filled, before grids and series, clipped to the field.
    std::function<void(QPainter&, const QRect&)> OnFieldDraw;
    // Called when all drawing is done.
    std::function<void(QPainter&)> OnDrawEnd;
    std::function<void()> OnDblClick;
    // The pointer moved over the control (tracked also with no button held).
    std::function<void(int, int)> OnMouseMove;

    // Marks the layout, the surroundings and the field for redrawing and requests a repaint.
    void Invalidate();
    // The plotting field after layout: left and top inclusive, right and bottom exclusive edges
    // are FieldRect().left() .. left() + width().
    QRect FieldRect();
    // Paints of the buffered display that drew the whole field; the others moved the kept picture
    // and drew what changed.
    int WholeFieldPaints() const { return FWholeFieldPaints; }
    // Paints of the buffered display that drew all around the field; the others drew at most the
    // bands of the axes that scrolled.
    int WholeSurroundingPaints() const { return FWholeSurroundingPaints; }
    // Paints that drew an axis's band whole rather than moving it with a scroll.
    int WholeBandPaints() const { return FWholeBandPaints; }

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    void changeEvent(QEvent* AEvent) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;

private:
    struct TAxisLayout
    {
        std::vector<QString> Labels;
        bool HasLabels = false;
        bool HasMarks = false;
        int Band = 0;
    };

    // What the field of the picture was drawn from: a later paint compares it with the plot's
    // state to tell a scroll of the time axis from any other change.
    struct TSeriesState
    {
        bool Active;
        Tsp_DataSeries::TXAxis XAxis;
        Tsp_DataSeries::TYAxis YAxis;
        Tsp_LineAttr Line;
        Tsp_PointAttr Points;

        bool operator==(const TSeriesState&) const = default;
    };
    // A tick label where DrawAxis puts it: its advance box, a font height tall.
    struct TPlacedLabel
    {
        QRect Box;
        QString Text;

        // Where its glyphs may reach: the box and LabelOverhang pixels around it.
        QRect Reach() const;

        bool operator==(const TPlacedLabel&) const = default;
    };
    struct TFieldState
    {
        QRect Field;
        std::array<Tsp_Scale, 4> Axes;
        std::array<Tsp_LineAttr, 4> Grids;
        std::vector<TSeriesState> Series;
        std::array<std::vector<TPlacedLabel>, 4> Labels;
    };
    // How the field of the kept picture becomes the field now: moved sideways by Shift pixels,
    // then the columns of Spans (left and right inclusive) drawn again.
    struct TFieldUpdate
    {
        bool Whole = true;
        int Shift = 0;
        int Scrolled = -1; // the time axis that scrolled, if one did
        std::vector<std::pair<int, int>> Spans;
    };

    void AxisChanged(TAxisId AId, Tsp_AxisChange AChange);
    void SeriesChanged();
    // Brings the layout up to date: all of it, or after a scroll only the labels that moved.
    void EnsureLayout();
    void ComputeLayout();
    void ComputeLabels(TAxisId AId);
    QRect ComputeField();
    void Relabel();
    // The part of the control on AId's side of the field, across the control's whole length:
    // what that axis draws, its line, marks and labels, lies in it.
    QRect BandRect(TAxisId AId) const;
    void DrawBands(QPainter& APainter, const TFieldUpdate& APlan);
    // Whether the scrolled time axis AId's band can move with the field: nothing of another axis
    // lies in it across the field's columns.
    bool BandMoves(TAxisId AId);
    // Moves that band's pixels across the field's columns by AShift; what is left to draw in it
    // (its ends, the columns that came in, the labels and marks that did not just move along).
    QRegion MoveBand(TAxisId AId, int AShift);
    std::vector<TPlacedLabel> PlaceLabels(TAxisId AId);
    // Marks and labels point away from the field (+1 right or down, -1 left or up), or the other
    // way with the opposite-side flag.
    int OutwardSign(TAxisId AId) const;
    void PlaceAxes(const QRect& AField);
    // AArea holds what the painter's clip lets through: labels wholly outside it are not drawn.
    void DrawSurroundings(QPainter& APainter, const QRegion& AArea);
    void DrawAxis(QPainter& APainter, TAxisId AId, const QRegion& AArea);
    void DrawField(QPainter& APainter, const QRect& AArea);
    void DrawAll(QPainter& APainter, bool ASurroundings);
    int BorderWidth() const;

    // The buffered picture brought up to date, drawing only what changed when it can; the part of
    // the control that changed.
    QRegion UpdatePicture();
    // Asks for a paint of what a change of the series will draw.
    void UpdateChangedArea();
    TFieldUpdate PlanFieldUpdate() const;
    bool MovableAxes(int& AShift, int& AScrolled) const;
    void AddChangedSpans(TFieldUpdate& AUpdate) const;
    // Moves rows ATop to ABottom of the picture sideways by AShift within the field's columns.
    void MoveColumns(int ATop, int ABottom, int AShift);
    // Calls AVisit(left, right, offset) for the one or two runs of field columns ALeft..ARight
    // that lie together in the picture's ring, each kept offset columns from where it shows.
    template <class TVisit>
    void ForRingPieces(int ALeft, int ARight, TVisit AVisit) const;
    void RememberField();

    std::array<Tsp_Axis, 4> FAxes;
    std::array<TAxisLayout, 4> FAxisLayout;
    std::vector<std::unique_ptr<Tsp_XYLine>> FSeries;
    QColor FColor;
    QColor FFieldColor = Qt::white;
    TBorderStyle FBorderStyle = bs_None;
    bool FBufferedDisplay = false;
    TZoomPanDirection FZoom = zpdBoth;
    TZoomPanDirection FPan = zpdBoth;
    Qt::KeyboardModifiers FPanShiftKeys = Qt::ControlModifier;
    Qt::KeyboardModifiers FZoomShiftKeys = Qt::ShiftModifier;
    QCursor FPanCursor = Qt::PointingHandCursor;
    QCursor FSavedCursor;
    bool FPanning = false;
    QPoint FPanPrevious;

    QRect FField;
    QImage FPicture; // the buffered display's picture
    // The picture's field is a ring: a scroll turns it by the shift instead of moving every pixel
    // (ForRingPieces). 0 after every whole paint of the field.
    int FRing = 0;
    TFieldState FDrawn;
    int FWholeFieldPaints = 0;
    int FWholeSurroundingPaints = 0;
    int FWholeBandPaints = 0;
    bool FLayoutInvalid = true;
    std::array<bool, 4> FLabelsInvalid{}; // a scroll moved the axis's ticks; the layout may stand
    bool FSurroundInvalid = true;
    std::array<bool, 4> FBandInvalid{}; // only the axis's band of the surroundings is to be drawn
    bool FFieldInvalid = true;
    bool FFieldShowPending = false; // the whole field was asked to be shown since the last paint
    QRegion FColumnsAsked;          // the field's columns asked to be shown since the last paint
    // Tick labels laid out once: the value axes' labels never change and the time labels repeat
    // while they scroll, so most paints find every label here. Cleared with the font.
    struct TLabel
    {
        QStaticText Text;
        int Width = 0;
    };
    QHash<QString, TLabel> FLabelCache;
    const TLabel& CachedLabel(const QString& AText);
    // The width of a digit and the height of a line in the control's font, asked at every scroll.
    struct TFontSizes
    {
        int CharWidth = 0;
        int Height = 0;
    };
    std::optional<TFontSizes> FFontSizes; // cleared with the font
    TFontSizes FontSizes();
    std::vector<TThinSegment> FSegments; // grid lines or tick marks of one axis, kept between paints
};

} // namespace qn
