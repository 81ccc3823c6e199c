// The version resource of an ELF executable: the VS_VERSIONINFO block in its own section.
#include "platform/version_resource.h"

#include <fstream>

namespace qn {

std::optional<std::vector<std::uint8_t>> ReadVersionResource(const std::string& AFileName)
{
    std::ifstream file(AFileName, std::ios::binary);
    if (!file)
        return std::nullopt;
    const TByteReader reader = [&](std::uint64_t AOffset, std::size_t ASize, std::uint8_t* ABuffer) {
        file.clear();
        file.seekg(static_cast<std::streamoff>(AOffset));
        file.read(reinterpret_cast<char*>(ABuffer), static_cast<std::streamsize>(ASize));
        return file.good() && static_cast<std::size_t>(file.gcount()) == ASize;
    };
    return FindElfSection(reader, VersionResourceSection, MaxVersionResourceSize);
}

} // namespace qn
