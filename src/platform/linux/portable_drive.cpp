// Removable-drive test from sysfs: the block device behind a file, its "removable" flag and bus.
#include "platform/portable_drive.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace qn {

namespace fs = std::filesystem;

namespace {

bool ReadFlag(const fs::path& AFile)
{
    std::ifstream in(AFile);
    int value = 0;
    return in >> value && value == 1;
}

} // namespace

bool IsPortableBlockDevice(unsigned AMajor, unsigned AMinor, const std::string& ASysfsRoot)
{
    std::error_code ec;
    const fs::path link =
        fs::path(ASysfsRoot) / "dev" / "block" / (std::to_string(AMajor) + ":" + std::to_string(AMinor));
    // /sys/dev/block/M:m links into /sys/devices/...; the resolved path names every bus on the way.
    fs::path device = fs::canonical(link, ec);
    if (ec)
        return false;
    // A partition's flags live on its disk, the folder above it.
    if (fs::exists(device / "partition", ec))
        device = device.parent_path();
    const std::string disk = device.filename().string();
    if (disk.rfind("sr", 0) == 0)
        return false;
    if (ReadFlag(device / "removable"))
        return true;
    for (const auto& element : device) {
        const std::string name = element.string();
        if (name.rfind("usb", 0) == 0)
            return true;
    }
    return false;
}

bool IsPortableDrive(const std::string& AExePath)
{
    struct stat st
    {
    };
    if (AExePath.empty() || stat(AExePath.c_str(), &st) != 0)
        return false;
    // Files on virtual or network file systems have an anonymous device (major 0): not a drive.
    if (major(st.st_dev) == 0)
        return false;
    return IsPortableBlockDevice(major(st.st_dev), minor(st.st_dev), "/sys");
}

} // namespace qn
