// TReadOutPanel: background and centred caption.
#include "watcher/read_out_panel.h"

#include "widgetkit/fit_font.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace qn {

namespace {
// What a screen reader reads of a read-out: static text whose name says what it is (the
// accessible name, else the caption) and whose text is the figure.
class TReadOutAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TReadOutAccessible(QWidget* AWidget) : QAccessibleWidget(AWidget, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType AType) override
    {
        if (AType == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(AType);
    }

    QString text(QAccessible::Text AText) const override
    {
        if (AText == QAccessible::Name)
            return Panel()->accessibleName().isEmpty() ? Caption() : Panel()->accessibleName();
        if (AText == QAccessible::Value)
            return Caption();
        return QAccessibleWidget::text(AText);
    }

    // The figure, read-only, without a cursor or selection.
    void selection(int, int* AStart, int* AEnd) const override { *AStart = *AEnd = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int AStart, int AEnd) const override { return Caption().mid(AStart, AEnd - AStart); }
    int characterCount() const override { return static_cast<int>(Caption().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* AStart, int* AEnd) const override
    {
        *AStart = 0;
        *AEnd = characterCount();
        return {};
    }

private:
    const TReadOutPanel* Panel() const { return static_cast<const TReadOutPanel*>(widget()); }
    QString Caption() const { return Panel()->Caption(); }
};

QAccessibleInterface* ReadOutAccessibleFactory(const QString& AClassName, QObject* AObject)
{
    if (AClassName == QLatin1String("qn::TReadOutPanel") && AObject && AObject->isWidgetType())
        return new TReadOutAccessible(static_cast<QWidget*>(AObject));
    return nullptr;
}

} // namespace

TReadOutPanel::TReadOutPanel(QWidget* AParent) : QWidget(AParent)
{
    static const bool accessible = (QAccessible::installFactory(ReadOutAccessibleFactory), true);
    (void)accessible;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TReadOutPanel::SetCaption(const QString& ACaption)
{
    if (ACaption == FCaption)
        return;
    FCaption = ACaption;
    update();
}

void TReadOutPanel::SetColor(const QColor& AColor)
{
    if (AColor == FColor)
        return;
    FColor = AColor;
    update();
}

void TReadOutPanel::SetFontColor(const QColor& AColor)
{
    if (AColor == FFontColor)
        return;
    FFontColor = AColor;
    update();
}

void TReadOutPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FColor);
    if (FCaption.isEmpty())
        return;
    painter.setPen(FFontColor);
    // One pixel of air on each side, as a panel's caption has. The caption is laid out once, for
    // measuring and drawing.
    QFont fitted = font();
    QString caption = FCaption;
    int textWidth = FText.Width(fitted, caption);
    FElided = false;
    if (textWidth > width() - 2) {
        fitted = FitFont(fitted, caption, width() - 2);
        textWidth = FText.Width(fitted, caption);
        // Narrowed as far as it stays readable and still too wide: cut with an ellipsis, the whole
        // caption in the hint.
        if (textWidth > width() - 2) {
            caption = QFontMetrics(fitted).elidedText(caption, Qt::ElideRight, width() - 2);
            textWidth = FText.Width(fitted, caption);
            FElided = true;
        }
    }
    const QFontMetrics metrics(fitted);
    const int x = (width() - textWidth) / 2;
    const int y = (height() - metrics.height()) / 2 + metrics.ascent();
    FText.Draw(painter, fitted, QPointF(x, y), caption);
}

bool TReadOutPanel::event(QEvent* AEvent)
{
    // A panel without a hint of its own shows its elided caption whole.
    if (AEvent->type() == QEvent::ToolTip && FElided && toolTip().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(AEvent)->globalPos(), FCaption, this);
        return true;
    }
    return QWidget::event(AEvent);
}

void TReadOutPanel::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
    QWidget::mouseDoubleClickEvent(AEvent);
}

} // namespace qn
