// TGradientBar: a header bar painted as a banded colour gradient with an optional picture and caption.
#pragma once

#include "watcher/gradient_bands.h"
#include "widgetkit/bar_image_list.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace qn {

// Child widgets may sit on the bar. Every setter stores its value and repaints.
class TGradientBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor ColorFrom READ ColorFrom WRITE SetColorFrom)
    Q_PROPERTY(QColor ColorTo READ ColorTo WRITE SetColorTo)
    Q_PROPERTY(int ColorCount READ ColorCount WRITE SetColorCount)
    Q_PROPERTY(TDirection Direction READ Direction WRITE SetDirection)
    Q_PROPERTY(bool Border READ Border WRITE SetBorder)
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(int LeftIndent READ LeftIndent WRITE SetLeftIndent)
    Q_PROPERTY(int TopIndent READ TopIndent WRITE SetTopIndent)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool MoveForm READ MoveForm WRITE SetMoveForm)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE SetDoubleBuffered)

public:
    enum TDirection
    {
        gdTopToBottom = qn::gdTopToBottom,
        gdBottomToTop = qn::gdBottomToTop,
        gdLeftToRight = qn::gdLeftToRight,
        gdRightToLeft = qn::gdRightToLeft
    };
    Q_ENUM(TDirection)
    enum TAlignment
    {
        taLeftJustify,
        taRightJustify,
        taCenter
    };
    Q_ENUM(TAlignment)

    // 200 x 30 pixels, black to grey from top to bottom in up to 255 bands, white caption text.
    explicit TGradientBar(QWidget* AParent = nullptr);

    QColor ColorFrom() const { return FColorFrom; }
    void SetColorFrom(const QColor& AColor);
    QColor ColorTo() const { return FColorTo; }
    void SetColorTo(const QColor& AColor);
    // Upper bound on the number of bands, 0 to 65535; 0 is stored as 1.
    int ColorCount() const { return FColorCount; }
    void SetColorCount(int ACount);
    TDirection Direction() const { return FDirection; }
    void SetDirection(TDirection ADirection);
    bool Border() const { return FBorder; }
    void SetBorder(bool AOn);
    QColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor& AColor);
    // The picture source, or null; the list outlives the bar.
    const IBarImageList* Images() const { return FImages; }
    void SetImages(const IBarImageList* AImages);
    // A negative index draws no picture.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AIndex);
    int LeftIndent() const { return FLeftIndent; }
    void SetLeftIndent(int AIndent);
    int TopIndent() const { return FTopIndent; }
    void SetTopIndent(int AIndent);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment AAlignment);
    // Dragging the bar with the left button moves its window.
    bool MoveForm() const { return FMoveForm; }
    void SetMoveForm(bool AOn) { FMoveForm = AOn; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& ACaption);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& AColor);
    // Kept for the settings that name it; Qt paints every widget through a back buffer anyway.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool AOn) { FDoubleBuffered = AOn; }

public slots:
    // The image list's contents changed: draw again.
    void ImagesChanged() { update(); }

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    void changeEvent(QEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;

private:
    void FillGradient(QPainter& APainter, const QRect& ARect) const;

    QColor FColorFrom = QColor(0, 0, 0);
    QColor FColorTo = QColor(0x80, 0x80, 0x80);
    int FColorCount = 255;
    TDirection FDirection = gdTopToBottom;
    bool FBorder = false;
    QColor FBorderColor = QColor(0, 0, 0);
    const IBarImageList* FImages = nullptr;
    int FImageIndex = 0;
    int FLeftIndent = 5;
    int FTopIndent = 5;
    TAlignment FAlignment = taLeftJustify;
    bool FMoveForm = false;
    QString FCaption;
    QColor FFontColor = QColor(0xFF, 0xFF, 0xFF);
    bool FDoubleBuffered = true;
};

} // namespace qn
