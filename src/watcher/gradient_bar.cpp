// TGradientBar: gradient, border, picture and caption.
#include "watcher/gradient_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace qn {

namespace {

TRgb ToRgb(const QColor& AColor)
{
    const QColor rgb = AColor.toRgb();
    return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
            static_cast<std::uint8_t>(rgb.blue())};
}

} // namespace

TGradientBar::TGradientBar(QWidget* AParent) : QWidget(AParent)
{
    resize(200, 30);
}

void TGradientBar::SetColorFrom(const QColor& AColor)
{
    FColorFrom = AColor;
    update();
}

void TGradientBar::SetColorTo(const QColor& AColor)
{
    FColorTo = AColor;
    update();
}

void TGradientBar::SetColorCount(int ACount)
{
    FColorCount = std::clamp(ACount, 1, 65535);
    update();
}

void TGradientBar::SetDirection(TDirection ADirection)
{
    FDirection = ADirection;
    update();
}

void TGradientBar::SetBorder(bool AOn)
{
    FBorder = AOn;
    update();
}

void TGradientBar::SetBorderColor(const QColor& AColor)
{
    FBorderColor = AColor;
    update();
}

void TGradientBar::SetImages(const IBarImageList* AImages)
{
    FImages = AImages;
    update();
}

void TGradientBar::SetImageIndex(int AIndex)
{
    FImageIndex = AIndex;
    update();
}

void TGradientBar::SetLeftIndent(int AIndent)
{
    FLeftIndent = AIndent;
    update();
}

void TGradientBar::SetTopIndent(int AIndent)
{
    FTopIndent = AIndent;
    update();
}

void TGradientBar::SetAlignment(TAlignment AAlignment)
{
    FAlignment = AAlignment;
    update();
}

void TGradientBar::SetCaption(const QString& ACaption)
{
    FCaption = ACaption;
    // What a screen reader says of the bar: the interface it heads.
    setAccessibleName(ACaption);
    update();
}

void TGradientBar::SetFontColor(const QColor& AColor)
{
    FFontColor = AColor;
    update();
}

void TGradientBar::FillGradient(QPainter& APainter, const QRect& ARect) const
{
    if (ARect.isEmpty())
        return;
    const auto direction = static_cast<TGradientDirection>(FDirection);
    const bool vertical = direction == qn::gdTopToBottom || direction == qn::gdBottomToTop;
    const auto bands =
        GradientBands(vertical ? ARect.top() : ARect.left(), vertical ? ARect.height() : ARect.width(),
                      static_cast<std::uint16_t>(FColorCount), ToRgb(FColorFrom), ToRgb(FColorTo), direction);
    for (const TGradientBand& band : bands) {
        const QColor color(band.Color.R, band.Color.G, band.Color.B);
        if (vertical)
            APainter.fillRect(QRect(ARect.left(), band.From, ARect.width(), band.To - band.From).intersected(ARect),
                              color);
        else
            APainter.fillRect(QRect(band.From, ARect.top(), band.To - band.From, ARect.height()).intersected(ARect),
                              color);
    }
}

void TGradientBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = rect();
    FillGradient(painter, r);
    if (FBorder) {
        QPen pen(FBorderColor);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    painter.setFont(font());
    const QFontMetrics fm(font());
    r.setLeft(r.left() + FLeftIndent);
    r.setTop(r.top() + FTopIndent);
    int h = fm.height();
    if (FImages && FImageIndex >= 0) {
        const int imageHeight = FImages->Height();
        h = std::max(h, imageHeight);
        const QPixmap picture = FImages->Pixmap(FImageIndex, devicePixelRatioF());
        if (!picture.isNull())
            painter.drawPixmap(QRect(r.left(), r.top() + (h - imageHeight) / 2, FImages->Width(), imageHeight),
                               picture);
        r.setLeft(r.left() + FImages->Width() + 5);
    }
    r.setHeight(h);
    int align = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (FAlignment) {
    case taLeftJustify:
        align |= Qt::AlignLeft;
        break;
    case taRightJustify:
        align |= Qt::AlignRight;
        break;
    case taCenter:
        align |= Qt::AlignHCenter;
        break;
    }
    painter.setPen(FFontColor);
    painter.drawText(r, align, FCaption);
}

void TGradientBar::changeEvent(QEvent* AEvent)
{
    if (AEvent->type() == QEvent::FontChange || AEvent->type() == QEvent::PaletteChange ||
        AEvent->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(AEvent);
}

void TGradientBar::mouseMoveEvent(QMouseEvent* AEvent)
{
    // Only with the button held: a system move started on a bare hover would carry the window off.
    if (FMoveForm && (AEvent->buttons() & Qt::LeftButton)) {
        if (QWindow* handle = window()->windowHandle())
            handle->startSystemMove();
    }
    QWidget::mouseMoveEvent(AEvent);
}

} // namespace qn
