// A private temporary folder for a test or a benchmark.
#include "support/temp_folder.h"

#include <filesystem>
#include <iterator>

#include <stdlib.h>

namespace qn::test {

namespace fs = std::filesystem;

TTempFolder::TTempFolder(const std::string& AStem)
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    std::string pattern = ((ec ? fs::path("/tmp") : base) / (AStem + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()))
        FPath = pattern;
}

TTempFolder::~TTempFolder()
{
    std::error_code ec;
    if (!FPath.empty())
        fs::remove_all(FPath, ec);
}

std::string TTempFolder::File(const std::string& AName) const
{
    return (fs::path(FPath) / AName).string();
}

std::size_t TTempFolder::Entries() const
{
    std::error_code ec;
    fs::directory_iterator it(FPath, ec);
    return ec ? 0 : static_cast<std::size_t>(std::distance(it, fs::directory_iterator()));
}

} // namespace qn::test
