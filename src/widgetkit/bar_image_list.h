// The picture source of a header bar: a list of same-sized pictures addressed by index.
#pragma once

#include <QPixmap>

namespace qn {

// Implemented by the application's image lists. Pixmap gives a null pixmap for an index out of
// range. The list must outlive every widget that draws from it.
class IBarImageList
{
public:
    virtual ~IBarImageList() = default;
    virtual int Count() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual QPixmap Pixmap(int AIndex, qreal ADevicePixelRatio) const = 0;
};

} // namespace qn
