// A private temporary folder for history files, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

#include <stdlib.h>

namespace qn::test {

class TTempFolder
{
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qn-history-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            FPath = pattern;
    }
    ~TTempFolder()
    {
        std::error_code ec;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string File(const std::string& AName) const { return (std::filesystem::path(FPath) / AName).string(); }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

} // namespace qn::test
