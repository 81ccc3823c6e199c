// A private temporary folder for a test or a benchmark, removed with everything in it.
#pragma once

#include <cstddef>
#include <string>

namespace qn::test {

class TTempFolder
{
public:
    // AStem names the folder (AStem-XXXXXX under the system's temporary folder), so that one left
    // behind by a crash says whose it is. Path() is empty when no folder could be made.
    explicit TTempFolder(const std::string& AStem = "qn-test");
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }
    // AName inside the folder (which need not exist yet).
    std::string File(const std::string& AName) const;
    // The number of files and folders directly inside.
    std::size_t Entries() const;

private:
    std::string FPath;
};

} // namespace qn::test
