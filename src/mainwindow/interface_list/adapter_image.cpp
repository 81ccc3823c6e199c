// Picture rule for interfaces: status first, then the IANA interface type.
#include "mainwindow/interface_list/adapter_image.h"

namespace qn {

int GetAdapterImageIndex(std::uint32_t ATyp, std::uint32_t AStatus)
{
    // Operational status 4 (connected) and 5 (operational) are the only working ones.
    if (AStatus <= 3)
        return IntfImage::NotConnected;
    switch (ATyp) {
    case 1:
        return IntfImage::Other;
    case 6:
    case 9:
        return IntfImage::Ethernet;
    case 15:
        return IntfImage::Fddi;
    case 23:
        return IntfImage::Ppp;
    case 24:
        return IntfImage::Loopback;
    case 37:
        return IntfImage::Atm;
    case 71:
    case 237:
        return IntfImage::Wireless;
    case 131:
        return IntfImage::Tunnel;
    case 144:
        return IntfImage::FireWire;
    case 243:
    case 244:
        return IntfImage::MobileBroadband;
    default:
        return IntfImage::NotConnected;
    }
}

} // namespace qn
