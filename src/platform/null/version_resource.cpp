// No executable format is known: there is no version resource to read.
#include "platform/version_resource.h"

namespace qn {

std::optional<std::vector<std::uint8_t>> ReadVersionResource(const std::string&)
{
    return std::nullopt;
}

} // namespace qn
