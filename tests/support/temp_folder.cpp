// A private temporary folder for a test or a benchmark.
#include "support/temp_folder.h"

#include <filesystem>
#include <iterator>
#include <random>

namespace qn::test {

namespace fs = std::filesystem;

TTempFolder::TTempFolder(const std::string& AStem)
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    const fs::path parent = ec ? fs::path("/tmp") : base;
    // What mkdtemp does, in a form every system has: a new name until one can be created.
    std::random_device random;
    for (int tries = 0; tries < 100 && FPath.empty(); ++tries) {
        std::string suffix;
        for (int i = 0; i < 6; ++i)
            suffix += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[random() % 62];
        const fs::path candidate = parent / (AStem + "-" + suffix);
        if (fs::create_directory(candidate, ec) && !ec)
            FPath = candidate.string();
    }
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
