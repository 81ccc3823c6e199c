// TIntfTree: the interface list's view, with the two properties the main window persists.
#pragma once

#include <QTreeView>

#include <cstdint>
#include <functional>

namespace qn {

// Tag carries the "only operational interfaces" filter flag. Visible is the list's own
// shown/hidden state, also while its window is hidden.
class TIntfTree : public QTreeView
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TIntfTree(QWidget* AParent = nullptr);

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool AValue) { setVisible(AValue); }
    int Tag() const { return FTag; }
    void SetTag(int AValue) { FTag = AValue; }
    bool OnlyOperational() const { return FTag != 0; }

    // The main window's design: AHeight pixels high, no frame, no tree decoration, one selected row
    // shown whole, pictures of AIconSize, and the context menu left to the owner.
    void ApplyDesign(int AHeight, QSize AIconSize);
    // Once the list model is set: the name column takes up any change of the width, the two counter
    // columns keep theirs and are drawn by the counters' delegate.
    void ApplyColumnDesign();

    // The row that has the focus (the current row), or -1.
    int FocusedRow() const;
    // Gives ARow the focus, selects it and scrolls it into view without centring.
    void FocusRow(int ARow);
    // Rebuilds the list model (set with setModel) for the filter; a focused row stays on its
    // interface while that is still listed. When it leaves the list no row has the focus, and the
    // interface has it again if it comes back before another row was focused.
    void Rebuild();

    std::function<void()> OnDblClick;

    // Paints that drew counter cells alone, without the view's own paint.
    int CounterCellPaints() const { return FCounterCellPaints; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;
    // Return or Enter on a row does what a double click does: the keyboard reaches the properties.
    void keyPressEvent(QKeyEvent* AEvent) override;
    void dataChanged(const QModelIndex& ATopLeft, const QModelIndex& ABottomRight,
                     const QList<int>& ARoles = QList<int>()) override;
    void paintEvent(QPaintEvent* AEvent) override;

private:
    // Paints ARegion as the view's rows would when it holds counter cells only; false leaves it to
    // the view.
    bool PaintCounterCells(const QRegion& ARegion);

    int FTag = 1;
    std::uint32_t FFocusedIdx = 0; // the interface of the focused row at the last rebuild, 0 for none
    int FCounterCellPaints = 0;
};

} // namespace qn
