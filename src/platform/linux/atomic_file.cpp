// POSIX whole-file reads and atomic replacement (temporary file, fsync, rename, fsync of the folder).
#include "platform/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
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

// The file a path finally names: a symbolic link is written through to what it points at, even
// when that does not exist yet (a dangling link stays a link). Empty for a loop of links.
std::string ResolveTarget(std::string APath)
{
    constexpr int MaxLinks = 40; // the kernel's own limit for one path
    for (int i = 0; i < MaxLinks; ++i) {
        struct stat st
        {
        };
        if (::lstat(APath.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return APath;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(APath.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
            return {};
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = APath.rfind('/');
        APath = link.front() == '/' || slash == std::string::npos ? link : APath.substr(0, slash + 1) + link;
    }
    return {};
}

// The permission bits a new file gets: what the user's umask leaves of 0666.
mode_t NewFileMode()
{
    mode_t mask = 022;
    // /proc reads the mask without changing it; umask() would briefly change it for every thread.
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
                break;
        std::fclose(f);
    }
    return 0666 & ~mask & 07777;
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
    // Non-blocking, so a FIFO at the path cannot hold the open (and the program) for ever.
    const int fd = ::open(AFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? TFileReadResult::Missing : TFileReadResult::Failed;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return TFileReadResult::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return TFileReadResult::NotAFile;
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
    if (target.empty())
        return false;
    struct stat st
    {
    };
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // Only a regular file is replaced; one that nobody may write (chmod a-w: settings frozen by
    // their owner) is refused even for root, who passes every access check.
    if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return false;
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
    // The new file keeps the old one's mode and owner; mkostemp's 0600 would lock out a group
    // the user shared the file with. A failed change of owner leaves it the writer's.
    bool ok = ::fchmod(fd, exists ? st.st_mode & 07777 : NewFileMode()) == 0;
    if (ok && exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
        (void)::fchown(fd, st.st_uid, st.st_gid);
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
