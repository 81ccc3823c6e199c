// TReadOutPanel: a borderless coloured panel whose centred caption is one read-out of a watcher.
#pragma once

#include "widgetkit/figure_text.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>

namespace qn {

// Paints only its background and caption. Setting a caption equal to the current one repaints
// nothing, so a read-out that did not change between ticks costs no painting; a new caption never
// changes the panel's size: its owner places it. A caption wider than the panel is narrowed to fit,
// down to a readable width; past that it is elided and shown whole in the hint.
class TReadOutPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)

public:
    explicit TReadOutPanel(QWidget* AParent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& ACaption);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& AColor);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& AColor);

    std::function<void()> OnDblClick;

protected:
    bool event(QEvent* AEvent) override;
    void paintEvent(QPaintEvent* AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;

private:
    QString FCaption;
    bool FElided = false; // as last painted
    QColor FColor = QColor(0xF0, 0xF0, 0xF0);
    QColor FFontColor = QColor(0, 0, 0);
    TFigureText FText;
};

} // namespace qn
