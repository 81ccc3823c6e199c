// The version resource of a PE executable, as the version library hands it out.
#include "platform/version_resource.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

namespace qn {

std::optional<std::vector<std::uint8_t>> ReadVersionResource(const std::string& AFileName)
{
    const std::wstring name = win::Widen(AFileName);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, block.data()))
        return std::nullopt;
    // The library appends room of its own after the block; the block's root length says where it ends.
    const std::size_t length = static_cast<std::size_t>(block[0]) | static_cast<std::size_t>(block[1]) << 8;
    if (length == 0 || length > block.size())
        return std::nullopt;
    block.resize(length);
    return block;
}

} // namespace qn
