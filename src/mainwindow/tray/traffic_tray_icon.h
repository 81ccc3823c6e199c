// TTrafficTrayIcon: the tray icon, plain or as a small picture of the current traffic.
#pragma once

#include "mainwindow/tray/tray_hint.h"
#include "mainwindow/tray/tray_picture.h"

#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>

#include <cstdint>
#include <vector>

namespace qn {

// What one tick shows: the rates and colours of the picture, the interfaces of the hint.
struct TTrayTraffic
{
    double RateDL = 0.0;
    double RateUL = 0.0;
    TTrayPicture::TColors Colors;
    std::vector<TTrayHintLine> Lines;
};

// ShowTraffic is a property, so the layout manager can store it. Off (the default), the icon is
// the plain one and the hint the title; on, each Tick may set a new picture (only when its pixels
// change, at most once a second) and a new hint (at most every two seconds). Nothing is drawn
// while the icon is not docked: no tray host would read it.
class TTrafficTrayIcon : public QSystemTrayIcon
{
    Q_OBJECT
    Q_PROPERTY(bool ShowTraffic READ ShowTraffic WRITE SetShowTraffic)

public:
    explicit TTrafficTrayIcon(QObject* AParent = nullptr);

    bool ShowTraffic() const { return FShowTraffic; }
    // Turning it off puts the plain icon and the title back at once; turning it on draws at the
    // next Tick.
    void SetShowTraffic(bool AValue);

    // The icon and hint shown while the switch is off.
    void SetPlain(const QIcon& AIcon, const QString& ATitle);

    // One tick of the main timer at ANowMs (monotonic milliseconds), ADocked as the window last
    // saw the tray.
    void Tick(bool ADocked, std::uint64_t ANowMs, const TTrayTraffic& ATraffic);

    // The picture as last drawn, at every size (empty before the first).
    const QIcon& TrafficIcon() const { return FTrafficIcon; }
    // How many times a picture was set; for tests and the benchmark's counters.
    int PictureSets() const { return FPictureSets; }

    // The one-second timer is coarse: a tick may come up to 5 % early and still counts as a second.
    static constexpr std::uint64_t MinPictureIntervalMs = 950;

private:
    void ShowPlain();

    bool FShowTraffic = false;
    QIcon FPlainIcon;
    QString FTitle;
    TTrayPicture FPicture;
    TTrayHint FHint;
    QIcon FTrafficIcon;
    std::uint64_t FPictureAt = 0;
    int FPictureSets = 0;
};

} // namespace qn
