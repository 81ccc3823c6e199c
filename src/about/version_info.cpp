// Reading the version record from a VS_VERSIONINFO block.
#include "about/version_info.h"

#include "platform/app_data.h"
#include "platform/version_resource.h"

#include <cstdio>
#include <cstring>

namespace qn {

namespace {

std::uint32_t Dword(std::span<const std::uint8_t> AValue, std::size_t AOffset)
{
    return static_cast<std::uint32_t>(AValue[AOffset]) | static_cast<std::uint32_t>(AValue[AOffset + 1]) << 8 |
           static_cast<std::uint32_t>(AValue[AOffset + 2]) << 16 |
           static_cast<std::uint32_t>(AValue[AOffset + 3]) << 24;
}

std::string Format(const char* AFormat, auto... AArgs)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, AFormat, AArgs...);
    return buf;
}

} // namespace

bool ReadVersionInfoFromBlock(std::span<const std::uint8_t> ABlock, TVersionInfo& AInfo)
{
    const auto fixed = VerQueryValue(ABlock, "\\");
    if (!fixed || fixed->size() < sizeof(VS_FIXEDFILEINFO) ||
        Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwSignature)) != VS_FFI_SIGNATURE)
        return false;
    const std::uint32_t fileMS = Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwFileVersionMS));
    const std::uint32_t fileLS = Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwFileVersionLS));
    const std::uint32_t productMS = Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwProductVersionMS));
    const std::uint32_t productLS = Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwProductVersionLS));
    AInfo.Major = fileMS >> 16;
    AInfo.Minor = fileMS & 0xFFFF;
    AInfo.Release = fileLS >> 16;
    AInfo.Build = fileLS & 0xFFFF;
    AInfo.ProductMajor = productMS >> 16;
    AInfo.ProductMinor = productMS & 0xFFFF;
    AInfo.ProductRelease = productLS >> 16;
    AInfo.ProductBuild = productLS & 0xFFFF;
    AInfo.PreRelease = (Dword(*fixed, offsetof(VS_FIXEDFILEINFO, dwFileFlags)) & VS_FF_PRERELEASE) != 0;

    std::string language = "040904E4";
    if (const auto translation = VerQueryValue(ABlock, "\\VarFileInfo\\Translation");
        translation && translation->size() >= 4) {
        const std::uint32_t entry = Dword(*translation, 0);
        language = Format("%04X%04X", entry & 0xFFFF, entry >> 16);
    }
    const struct
    {
        const char* Name;
        std::string TVersionInfo::*Field;
    } entries[] = {
        {"ProductVersion", &TVersionInfo::ProductVersion},     {"FileVersion", &TVersionInfo::FileVersion},
        {"FileDescription", &TVersionInfo::Description},       {"LegalCopyright", &TVersionInfo::Copyright},
        {"LegalTrademarks", &TVersionInfo::Trademarks},        {"Comments", &TVersionInfo::Comments},
        {"SpecialBuild", &TVersionInfo::SpecialBuild},         {"ProductName", &TVersionInfo::ProductName},
        {"CompanyName", &TVersionInfo::CompanyName},           {"InternalName", &TVersionInfo::InternalName},
        {"OriginalFileName", &TVersionInfo::OriginalFilename},
    };
    for (const auto& e : entries)
        if (auto text = VerQueryString(ABlock, "\\StringFileInfo\\" + language + "\\" + e.Name))
            AInfo.*e.Field = std::move(*text);

    AInfo.ProductVersion = Format("%u.%u.%u", AInfo.ProductMajor, AInfo.ProductMinor, AInfo.ProductRelease);
    AInfo.Version = Format("%u.%u.%u.%u", AInfo.Major, AInfo.Minor, AInfo.Release, AInfo.Build);
    if (AInfo.PreRelease)
        AInfo.Version += AInfo.Build != 0 ? Format(" BETA %u", AInfo.Build) : std::string(" BETA");
    return true;
}

bool ReadVersionInfo(const std::string& AFileName, TVersionInfo& AInfo)
{
    AInfo = TVersionInfo{};
    AInfo.FileName = AFileName;
    const auto block = ReadVersionResource(AFileName);
    if (!block || block->empty())
        return false;
    TVersionInfo filled;
    filled.FileName = AFileName;
    if (!ReadVersionInfoFromBlock(*block, filled))
        return false;
    AInfo = std::move(filled);
    return true;
}

const TVersionInfo& ApplicationVersionInfo()
{
    static const TVersionInfo info = [] {
        TVersionInfo i;
        ReadVersionInfo(GetExecutablePath(), i);
        return i;
    }();
    return info;
}

} // namespace qn
