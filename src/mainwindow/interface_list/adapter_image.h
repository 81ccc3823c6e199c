// The picture an interface shows, from its raw type and status numbers.
#pragma once

#include <cstdint>

namespace qn {

// Indices into the interface image lists (ilIntf16, ilIntf32); the same meaning at every size.
namespace IntfImage {
inline constexpr int NotConnected = 0; // warning triangle
inline constexpr int Other = 1;        // question mark
inline constexpr int Ppp = 2;          // power plug
inline constexpr int Atm = 3;          // connector plug
inline constexpr int FireWire = 4;
inline constexpr int Bluetooth = 5;
inline constexpr int Usb = 6;
inline constexpr int Ethernet = 7; // network card
inline constexpr int Wireless = 8;
inline constexpr int Fddi = 9;             // card with a sharing sign
inline constexpr int Loopback = 10;        // card with circular arrows
inline constexpr int Tunnel = 11;          // card with a cloud
inline constexpr int MobileBroadband = 12; // card with a SIM card
inline constexpr int NetworkMonitor = 13;
inline constexpr int SubnetMask = 14;
inline constexpr int Count = 15;
} // namespace IntfImage

// The picture index for an interface of IANA type ATyp with operational status AStatus: the warning
// triangle for any status of 3 or less (not connected), otherwise by type; unknown types get 0.
int GetAdapterImageIndex(std::uint32_t ATyp, std::uint32_t AStatus);

} // namespace qn
