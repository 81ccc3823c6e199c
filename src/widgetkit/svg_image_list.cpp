// Image lists rendered from the SVG artwork in the program's resources.
#include "widgetkit/svg_image_list.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

// The artwork lives in this static library; referencing its initialiser keeps it linked in.
static void InitImageResources()
{
    Q_INIT_RESOURCE(images);
}

namespace qn {

namespace {

void EnsureImageResources()
{
    static const bool done = (InitImageResources(), true);
    (void)done;
}

QPixmap Render(const QString& AResource, int ASize, qreal ADpr)
{
    EnsureImageResources();
    const int device = static_cast<int>(std::lround(ASize * ADpr));
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(AResource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, device, device));
    }
    pixmap.setDevicePixelRatio(ADpr);
    return pixmap;
}

int Side(const QSize& ASize)
{
    return std::max(1, std::min(ASize.width(), ASize.height()));
}

// A picture in an icon mode other than Normal (greyed when disabled, tinted when selected) as the
// style draws it, as icons built from pixmaps get it.
QPixmap Styled(const QPixmap& APicture, QIcon::Mode AMode)
{
    QStyle* style = QApplication::style();
    if (AMode == QIcon::Normal || !style)
        return APicture;
    QStyleOption option;
    option.palette = QGuiApplication::palette();
    return style->generatedIconPixmap(AMode, APicture, &option);
}

// Draws an engine's picture into ARect at the painter's device pixel ratio.
void PaintPicture(QIconEngine& AEngine, QPainter* APainter, const QRect& ARect, QIcon::Mode AMode, QIcon::State AState)
{
    const qreal ratio = APainter->device() ? APainter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = AEngine.pixmap(ARect.size() * ratio, AMode, AState);
    picture.setDevicePixelRatio(ratio);
    APainter->drawPixmap(ARect, picture);
}

// The application icon's engine. The window manager and the tray take copies of what they are
// given, so pictures kept here at eight sizes would only hold memory (700 KB at 256 pixels and
// below); a repaint of the tray renders the SVG again, which it does rarely.
class TSvgIconEngine final : public QIconEngine
{
public:
    explicit TSvgIconEngine(QString AResource) : FResource(std::move(AResource)) {}

    void paint(QPainter* APainter, const QRect& ARect, QIcon::Mode AMode, QIcon::State AState) override
    {
        PaintPicture(*this, APainter, ARect, AMode, AState);
    }
    // ASize is in device pixels.
    QPixmap pixmap(const QSize& ASize, QIcon::Mode AMode, QIcon::State) override
    {
        return Styled(Render(FResource, Side(ASize), 1.0), AMode);
    }
    QPixmap scaledPixmap(const QSize& ASize, QIcon::Mode AMode, QIcon::State AState, qreal AScale) override
    {
        const qreal scale = AScale > 0 ? AScale : 1.0;
        QPixmap picture = pixmap(ASize * scale, AMode, AState);
        picture.setDevicePixelRatio(scale);
        return picture;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes.append(QSize(size, size));
        return sizes;
    }
    QIconEngine* clone() const override { return new TSvgIconEngine(FResource); }
    QString key() const override { return QStringLiteral("TSvgIconEngine"); }

private:
    QString FResource;
};

// An image list's picture as an icon, drawn from the list at the ratio asked for.
class TImageListIconEngine final : public QIconEngine
{
public:
    TImageListIconEngine(const TSvgImageList* AList, int AIndex) : FList(AList), FIndex(AIndex) {}

    void paint(QPainter* APainter, const QRect& ARect, QIcon::Mode AMode, QIcon::State AState) override
    {
        PaintPicture(*this, APainter, ARect, AMode, AState);
    }
    // ASize is in device pixels: the picture is rendered at the ratio that gives that size, so it
    // stays sharp on any screen; the list keeps it for the next paint.
    QPixmap pixmap(const QSize& ASize, QIcon::Mode AMode, QIcon::State) override
    {
        const qreal ratio = static_cast<qreal>(Side(ASize)) / std::max(1, FList->Width());
        QPixmap picture = FList->Pixmap(FIndex, ratio);
        picture.setDevicePixelRatio(1.0);
        return Styled(picture, AMode);
    }
    QPixmap scaledPixmap(const QSize& ASize, QIcon::Mode AMode, QIcon::State AState, qreal AScale) override
    {
        const qreal scale = AScale > 0 ? AScale : 1.0;
        QPixmap picture = pixmap(ASize * scale, AMode, AState);
        picture.setDevicePixelRatio(scale);
        return picture;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(FList->Width(), FList->Height())}; }
    QIconEngine* clone() const override { return new TImageListIconEngine(FList, FIndex); }
    QString key() const override { return QStringLiteral("TImageListIconEngine"); }

private:
    const TSvgImageList* FList;
    int FIndex;
};

} // namespace

TSvgImageList::TSvgImageList(int ASize, QStringList AResources) : FSize(ASize), FResources(std::move(AResources)) {}

QPixmap TSvgImageList::Pixmap(int AIndex, qreal ADevicePixelRatio) const
{
    if (AIndex < 0 || AIndex >= Count())
        return {};
    if (ADevicePixelRatio <= 0)
        ADevicePixelRatio = 1.0;
    auto it = std::find_if(FCache.begin(), FCache.end(),
                           [&](const auto& AEntry) { return AEntry.first == ADevicePixelRatio; });
    if (it == FCache.end()) {
        FCache.emplace_back(ADevicePixelRatio, std::vector<QPixmap>(FResources.size()));
        it = FCache.end() - 1;
    }
    QPixmap& picture = it->second[static_cast<std::size_t>(AIndex)];
    if (picture.isNull())
        picture = Render(FResources[AIndex], FSize, ADevicePixelRatio);
    return picture;
}

QIcon TSvgImageList::Icon(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        return {};
    // Lists ask for their pictures at every paint: build each icon once.
    if (FIcons.empty())
        for (int i = 0; i < Count(); ++i)
            FIcons.emplace_back(new TImageListIconEngine(this, i));
    return FIcons[static_cast<std::size_t>(AIndex)];
}

QStringList InterfaceImageResources()
{
    return {
        QStringLiteral(":/quarno/images/intf00_not_connected.svg"),
        QStringLiteral(":/quarno/images/intf01_other.svg"),
        QStringLiteral(":/quarno/images/intf02_power_plug.svg"),
        QStringLiteral(":/quarno/images/intf03_connector.svg"),
        QStringLiteral(":/quarno/images/intf04_firewire.svg"),
        QStringLiteral(":/quarno/images/intf05_bluetooth.svg"),
        QStringLiteral(":/quarno/images/intf06_usb.svg"),
        QStringLiteral(":/quarno/images/intf07_network_card.svg"),
        QStringLiteral(":/quarno/images/intf08_wireless.svg"),
        QStringLiteral(":/quarno/images/intf09_card_shared.svg"),
        QStringLiteral(":/quarno/images/intf10_card_loopback.svg"),
        QStringLiteral(":/quarno/images/intf11_card_tunnel.svg"),
        QStringLiteral(":/quarno/images/intf12_card_sim.svg"),
        QStringLiteral(":/quarno/images/intf13_network_monitor.svg"),
        QStringLiteral(":/quarno/images/intf14_subnet_mask.svg"),
    };
}

QIcon ApplicationIcon()
{
    return QIcon(new TSvgIconEngine(QStringLiteral(":/quarno/images/quarno.svg")));
}

} // namespace qn
