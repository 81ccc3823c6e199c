// Fuzzes the version-resource readers: any bytes as a VS_VERSIONINFO block and as an ELF file.
#include "about/version_block.h"
#include "about/version_info.h"
#include "platform/version_resource.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    // An exact-size copy, so that the sanitizers see every read past the end.
    const std::vector<std::uint8_t> bytes(AData, AData + ASize);
    const std::span<const std::uint8_t> block(bytes);

    qn::TVersionInfo info;
    (void)qn::ReadVersionInfoFromBlock(block, info);
    (void)qn::VerQueryString(block, "\\StringFileInfo\\040904E4\\CompanyName");
    (void)qn::VerQueryValue(block, "\\\\VarFileInfo\\\\Translation\\");

    const qn::TByteReader reader = [&](std::uint64_t AOffset, std::size_t AWanted, std::uint8_t* ABuffer) {
        if (AOffset > bytes.size() || AWanted > bytes.size() - AOffset)
            return false;
        std::memcpy(ABuffer, bytes.data() + AOffset, AWanted);
        return true;
    };
    if (const auto section = qn::FindElfSection(reader, qn::VersionResourceSection, qn::MaxVersionResourceSize))
        (void)qn::ReadVersionInfoFromBlock(*section, info);

    // A block built from printable text reads that text back exactly.
    std::string text;
    for (std::size_t i = 0; i < ASize && i < 64; ++i)
        text += static_cast<char>(' ' + AData[i] % 95);
    qn::TVersionBlockContent content;
    content.Strings = {{"CompanyName", text}};
    qn::TVersionInfo back;
    if (!qn::ReadVersionInfoFromBlock(qn::BuildVersionBlock(content), back) || back.CompanyName != text)
        std::abort();
    return 0;
}
