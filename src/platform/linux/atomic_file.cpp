// POSIX whole-file reads and atomic replacement (temporary file, fsync, rename, fsync of the folder).
#include "platform/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qn {

namespace {

bool WriteAll(int AFd, std::string_view AText)
{
    while (!AText.empty()) {
        const ssize_t n = ::write(AFd, AText.data(), AText.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        AText.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a path finally names: a symbolic link is replaced by writing to what it points at.
std::string ResolveTarget(const std::string& AFileName)
{
    struct stat st
    {
    };
    if (::lstat(AFileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(AFileName.c_str(), buf))
            return buf;
    }
    return AFileName;
}

// A writer killed between creating its temporary file and the rename leaves that file behind. Ours
// are named ".<file>.XXXXXX"; one that has not changed for a while belongs to no running write.
void RemoveStaleTemporaries(const std::string& ADir, const std::string& ABase)
{
    constexpr time_t StaleSeconds = 60;
    DIR* dir = ::opendir(ADir.c_str());
    if (!dir)
        return;
    const std::string prefix = "." + ABase + ".";
    const time_t now = ::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = ADir + "/" + name;
        struct stat st
        {
        };
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > StaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace

TFileReadResult ReadWholeFile(const std::string& AFileName, std::string& AText)
{
    AText.clear();
    const int fd = ::open(AFileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? TFileReadResult::Missing : TFileReadResult::Failed;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return TFileReadResult::Failed;
    }
    char buf[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            AText.clear();
            return TFileReadResult::Failed;
        }
        if (n == 0)
            break;
        AText.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return TFileReadResult::Ok;
}

bool ReplaceFileAtomically(const std::string& AFileName, std::string_view AText)
{
    if (AFileName.empty())
        return false;
    const std::string target = ResolveTarget(AFileName);
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.empty())
        return false;

    // Same folder, so the rename stays on one file system and is atomic.
    std::string temp = dir + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    struct stat st
    {
    };
    if (::stat(target.c_str(), &st) == 0)
        ok = S_ISREG(st.st_mode) && ::fchmod(fd, st.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, AText) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here cannot undo it, so it is not reported.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    RemoveStaleTemporaries(dir, base);
    return true;
}

} // namespace qn
