// Image lists rendered from the SVG artwork in the program's resources.
#include "mainwindow/image_list.h"

#include <QPainter>
#include <QSvgRenderer>

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

} // namespace

TImageList::TImageList(int ASize, QStringList AResources) : FSize(ASize), FResources(std::move(AResources)) {}

QPixmap TImageList::Pixmap(int AIndex, qreal ADevicePixelRatio) const
{
    if (AIndex < 0 || AIndex >= Count())
        return {};
    if (ADevicePixelRatio <= 0)
        ADevicePixelRatio = 1.0;
    for (const auto& [dpr, pixmaps] : FCache)
        if (dpr == ADevicePixelRatio)
            return pixmaps[AIndex];
    std::vector<QPixmap> pixmaps;
    pixmaps.reserve(FResources.size());
    for (const QString& resource : FResources)
        pixmaps.push_back(Render(resource, FSize, ADevicePixelRatio));
    FCache.emplace_back(ADevicePixelRatio, std::move(pixmaps));
    return FCache.back().second[AIndex];
}

QIcon TImageList::Icon(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        return {};
    // Lists ask for their pictures at every paint: build each icon once.
    if (FIcons.empty()) {
        for (int i = 0; i < Count(); ++i) {
            QIcon icon;
            icon.addPixmap(Pixmap(i, 1.0));
            icon.addPixmap(Pixmap(i, 2.0));
            FIcons.push_back(icon);
        }
    }
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
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(Render(QStringLiteral(":/quarno/images/quarno.svg"), size, 1.0));
    return icon;
}

} // namespace qn
