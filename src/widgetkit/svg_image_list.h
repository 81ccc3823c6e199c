// TSvgImageList: a fixed list of pictures drawn from SVG at one logical size, sharp at any scale.
#pragma once

#include "widgetkit/bar_image_list.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

namespace qn {

// Also the picture source of the watchers' header bars.
class TSvgImageList final : public IBarImageList
{
public:
    // AResources are SVG file names (Qt resources); each picture is drawn ASize × ASize.
    TSvgImageList(int ASize, QStringList AResources);

    int Count() const override { return static_cast<int>(FResources.size()); }
    int Width() const override { return FSize; }
    int Height() const override { return FSize; }

    // The picture AIndex for a device pixel ratio; a null pixmap for an index out of range.
    // Each picture is rendered the first time it is asked for at a ratio and kept.
    QPixmap Pixmap(int AIndex, qreal ADevicePixelRatio = 1.0) const override;
    // An icon that draws from Pixmap at the ratio of the screen it is painted on, so pictures
    // are kept only at the ratios really drawn. Valid while the list lives.
    QIcon Icon(int AIndex) const;

private:
    int FSize;
    QStringList FResources;
    mutable std::vector<std::pair<qreal, std::vector<QPixmap>>> FCache;
    mutable std::vector<QIcon> FIcons;
};

// The 15 interface pictures, in index order (see adapter_image.h).
QStringList InterfaceImageResources();

// The application icon: drawn from its SVG at the size each request asks for, nothing kept.
QIcon ApplicationIcon();

} // namespace qn
