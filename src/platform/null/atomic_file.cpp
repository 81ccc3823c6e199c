// Settings kept in memory for the life of the process: every replacement is whole and atomic.
#include "platform/atomic_file.h"

#include <map>
#include <mutex>

namespace qn {

namespace {

struct TFiles
{
    std::mutex Mutex;
    std::map<std::string, std::string> Texts;
};

TFiles& Files()
{
    static TFiles files;
    return files;
}

} // namespace

TFileReadResult ReadWholeFile(const std::string& AFileName, std::string& AText)
{
    AText.clear();
    TFiles& files = Files();
    std::lock_guard lock(files.Mutex);
    const auto it = files.Texts.find(AFileName);
    if (it == files.Texts.end())
        return TFileReadResult::Missing;
    AText = it->second;
    return TFileReadResult::Ok;
}

bool ReplaceFileAtomically(const std::string& AFileName, std::string_view AText)
{
    if (AFileName.empty())
        return false;
    TFiles& files = Files();
    std::lock_guard lock(files.Mutex);
    files.Texts[AFileName] = std::string(AText);
    return true;
}

} // namespace qn
