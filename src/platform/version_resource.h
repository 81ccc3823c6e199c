// Version resources: the VS_VERSIONINFO block an executable carries and the queries into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#if defined(_WIN32)
// On Windows the fixed part and its constants are the SDK's own.
#include "platform/windows/sdk.h"
#else
// The fixed part of a version resource, as the Windows SDK declares it.
struct VS_FIXEDFILEINFO
{
    std::uint32_t dwSignature;
    std::uint32_t dwStrucVersion;
    std::uint32_t dwFileVersionMS;
    std::uint32_t dwFileVersionLS;
    std::uint32_t dwProductVersionMS;
    std::uint32_t dwProductVersionLS;
    std::uint32_t dwFileFlagsMask;
    std::uint32_t dwFileFlags;
    std::uint32_t dwFileOS;
    std::uint32_t dwFileType;
    std::uint32_t dwFileSubtype;
    std::uint32_t dwFileDateMS;
    std::uint32_t dwFileDateLS;
};

inline constexpr std::uint32_t VS_FFI_SIGNATURE = 0xFEEF04BD;
inline constexpr std::uint32_t VS_FFI_STRUCVERSION = 0x00010000;
inline constexpr std::uint32_t VS_FFI_FILEFLAGSMASK = 0x0000003F;
inline constexpr std::uint32_t VS_FF_PRERELEASE = 0x00000002;
inline constexpr std::uint32_t VFT_APP = 0x00000001;
#endif
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

namespace qn {

// The ELF section an executable's version resource is embedded in.
inline constexpr std::string_view VersionResourceSection = ".vs_version_info";
// A version resource is at most 64 KiB: its root length is a 16-bit number.
inline constexpr std::size_t MaxVersionResourceSize = 0xFFFF;

// Reads AFileName's version resource (what GetFileVersionInfoSize and GetFileVersionInfo answer on
// Windows). Nothing for a file that cannot be read, is not ELF or has no such section.
std::optional<std::vector<std::uint8_t>> ReadVersionResource(const std::string& AFileName);

// Reads ASize bytes at AOffset of some file into the buffer; false when they are not all there.
using TByteReader = std::function<bool(std::uint64_t AOffset, std::size_t ASize, std::uint8_t* ABuffer)>;

// The content of the named section of an ELF file (32 or 64 bit, either byte order), read through
// AReader; nothing when the file is not ELF, the section is absent or holds more than AMaxSize bytes.
std::optional<std::vector<std::uint8_t>> FindElfSection(const TByteReader& AReader, std::string_view AName,
                                                        std::size_t AMaxSize);

// What VerQueryValue answers: the value bytes of the block at APath. "\" is the fixed part
// (VS_FIXEDFILEINFO), "\VarFileInfo\Translation" the translation list, "\StringFileInfo\<lang>\<name>"
// a string entry (UTF-16LE). Names match without regard to case. Nothing for an absent or damaged node.
std::optional<std::span<const std::uint8_t>> VerQueryValue(std::span<const std::uint8_t> ABlock,
                                                           std::string_view APath);
// A string entry's text as UTF-8, up to its NUL.
std::optional<std::string> VerQueryString(std::span<const std::uint8_t> ABlock, std::string_view APath);

} // namespace qn
