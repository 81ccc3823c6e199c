// TVersionInfo: what the program's version resource says about it, read once at start.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qn {

struct TVersionInfo
{
    std::string FileName;         // the file that was read
    std::string FileVersion;      // string entry "FileVersion"
    std::string Version;          // "Major.Minor.Release.Build", with " BETA [Build]" for a pre-release
    std::string ProductName;      // string entry "ProductName"
    std::string CompanyName;      // string entry "CompanyName"
    std::string Description;      // string entry "FileDescription"
    std::string Comments;         // string entry "Comments"
    std::string Copyright;        // string entry "LegalCopyright"
    std::string Trademarks;       // string entry "LegalTrademarks"
    std::string InternalName;     // string entry "InternalName"
    std::string OriginalFilename; // string entry "OriginalFileName"
    std::string ProductVersion;   // "ProductMajor.ProductMinor.ProductRelease", whatever the string entry says
    std::uint32_t Major = 0, Minor = 0, Release = 0, Build = 0;
    std::uint32_t ProductMajor = 0, ProductMinor = 0, ProductRelease = 0, ProductBuild = 0;
    std::string SpecialBuild; // string entry "SpecialBuild"
    bool PreRelease = false;  // the pre-release flag of the fixed part
};

// Empties AInfo, sets FileName and fills the rest from the file's version resource. False, with only
// FileName filled, when the file has no resource or the resource has no fixed part.
bool ReadVersionInfo(const std::string& AFileName, TVersionInfo& AInfo);

// The same from a resource block already in memory; FileName is left as it is.
bool ReadVersionInfoFromBlock(std::span<const std::uint8_t> ABlock, TVersionInfo& AInfo);

// The running executable's record, read on the first call (the program makes that call at start,
// before any window exists) and never changed afterwards. Safe to call from any thread.
const TVersionInfo& ApplicationVersionInfo();

} // namespace qn
