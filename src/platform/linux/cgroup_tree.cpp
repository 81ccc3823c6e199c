// The cgroup v2 hierarchy: its mount from /proc/self/mountinfo, its directories by inode number.
#include "platform/cgroup_tree.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace qn {

namespace {

// Mount points escape blanks and backslashes as octal (\040).
std::string Unescape(const std::string& AText)
{
    std::string out;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] == '\\' && i + 3 < AText.size() && AText[i + 1] >= '0' && AText[i + 1] <= '3') {
            out += static_cast<char>((AText[i + 1] - '0') * 64 + (AText[i + 2] - '0') * 8 + (AText[i + 3] - '0'));
            i += 3;
        } else {
            out += AText[i];
        }
    }
    return out;
}

// The cgroup2 mount: "/sys/fs/cgroup", or "/sys/fs/cgroup/unified" on a hybrid system. The last one
// listed is the one that covers the others when a new sysfs and cgroup2 were mounted over /sys.
std::string CgroupMount()
{
    std::string found;
    std::ifstream in("/proc/self/mountinfo");
    for (std::string line; std::getline(in, line);) {
        const std::size_t dash = line.find(" - ");
        if (dash == std::string::npos)
            continue;
        std::istringstream after(line.substr(dash + 3));
        std::string type;
        after >> type;
        if (type != "cgroup2")
            continue;
        std::istringstream before(line.substr(0, dash));
        std::string id, parent, device, root, mount;
        before >> id >> parent >> device >> root >> mount;
        found = Unescape(mount);
    }
    return found;
}

// A tree a few thousand directories deep at most; the bound keeps a loop of bind mounts finite.
void Walk(int ADir, const std::string& APath, int ADepth, std::vector<TCgroupEntry>& AEntries)
{
    DIR* dir = fdopendir(ADir);
    if (!dir) {
        close(ADir);
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_type != DT_DIR || std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const int child = openat(dirfd(dir), entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (child < 0)
            continue;
        struct stat st
        {
        };
        if (fstat(child, &st) != 0 || AEntries.size() >= 200000 || ADepth >= 32) {
            close(child);
            continue;
        }
        const std::string path = APath + "/" + entry->d_name;
        AEntries.push_back({static_cast<std::uint64_t>(st.st_ino), path});
        Walk(child, path, ADepth + 1, AEntries);
    }
    closedir(dir);
}

} // namespace

TCgroupSupport ReadCgroupTree(std::vector<TCgroupEntry>& AEntries)
{
    AEntries.clear();
    static const std::string mount = CgroupMount();
    if (mount.empty())
        return TCgroupSupport::csNoHierarchy;
    const int root = open(mount.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return TCgroupSupport::csNoHierarchy;
    struct stat st
    {
    };
    if (fstat(root, &st) == 0)
        AEntries.push_back({static_cast<std::uint64_t>(st.st_ino), "/"});
    Walk(root, "", 0, AEntries);
    return TCgroupSupport::csAvailable;
}

} // namespace qn
