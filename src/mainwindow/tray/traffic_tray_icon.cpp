// TTrafficTrayIcon: the switch, and the picture drawn into images of every tray size.
#include "mainwindow/tray/traffic_tray_icon.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>

namespace qn {

TTrafficTrayIcon::TTrafficTrayIcon(QObject* AParent) : QSystemTrayIcon(AParent)
{
    FHint.LineFormat = QCoreApplication::translate("qn::TTrayHint", TrayHintLineFormat).toStdString();
}

void TTrafficTrayIcon::SetPlain(const QIcon& AIcon, const QString& ATitle)
{
    FPlainIcon = AIcon;
    FTitle = ATitle;
    if (!FShowTraffic)
        ShowPlain();
}

void TTrafficTrayIcon::SetShowTraffic(bool AValue)
{
    if (AValue == FShowTraffic)
        return;
    FShowTraffic = AValue;
    FPicture.Forget();
    FHint.Forget();
    if (!AValue)
        ShowPlain();
}

void TTrafficTrayIcon::ShowPlain()
{
    setIcon(FPlainIcon);
    setToolTip(FTitle);
}

void TTrafficTrayIcon::Tick(bool ADocked, std::uint64_t ANowMs, const TTrayTraffic& ATraffic)
{
    if (!FShowTraffic)
        return;
    if (!ADocked) {
        // A tray that comes back gets the picture at once.
        FPicture.Forget();
        FHint.Forget();
        return;
    }
    const bool early = FPictureSets > 0 && ANowMs - FPictureAt < MinPictureIntervalMs;
    if (!early && FPicture.Differs(ATraffic.RateDL, ATraffic.RateUL, ATraffic.Colors)) {
        FPicture.Take(ATraffic.RateDL, ATraffic.RateUL, ATraffic.Colors);
        QIcon icon;
        for (const int size : TrayPictureSizes) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            FPicture.Paint(size, reinterpret_cast<std::uint32_t*>(image.bits()),
                           static_cast<int>(image.bytesPerLine() / 4));
            icon.addPixmap(QPixmap::fromImage(std::move(image)));
        }
        FTrafficIcon = icon;
        setIcon(icon);
        FPictureAt = ANowMs;
        ++FPictureSets;
    }
    if (const auto hint = FHint.Update(ANowMs, FTitle.toStdString(), ATraffic.Lines))
        setToolTip(QString::fromStdString(*hint));
}

} // namespace qn
