// The removable-drive rules over a fake sysfs tree.
#include "platform/portable_drive.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace qn {
namespace {

namespace fs = std::filesystem;

// A throw-away sysfs root with /dev/block links into /devices, as the kernel lays it out.
class FakeSysfs : public testing::Test
{
protected:
    void SetUp() override
    {
        FRoot = FFolder.Path();
        fs::create_directories(FRoot / "dev" / "block");
    }

    // Creates the disk folder ADevicePath/ADisk with the given removable flag, and optionally a
    // partition in it; links AMajor:AMinor to the partition (or the disk when APartition is empty).
    void AddDevice(const std::string& ADevicePath, const std::string& ADisk, const std::string& ARemovable,
                   const std::string& APartition, unsigned AMajor, unsigned AMinor)
    {
        const fs::path disk = FRoot / "devices" / ADevicePath / "block" / ADisk;
        fs::create_directories(disk);
        if (!ARemovable.empty())
            std::ofstream(disk / "removable") << ARemovable << "\n";
        fs::path target = disk;
        if (!APartition.empty()) {
            target = disk / APartition;
            fs::create_directories(target);
            std::ofstream(target / "partition") << "1\n";
        }
        fs::create_directory_symlink(fs::relative(target, FRoot / "dev" / "block"),
                                     FRoot / "dev" / "block" / (std::to_string(AMajor) + ":" + std::to_string(AMinor)));
    }

    test::TTempFolder FFolder{"qn-sysfs"};
    fs::path FRoot;
};

TEST_F(FakeSysfs, RemovableFlagOrUsbBusMakesADrivePortable)
{
    AddDevice("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "sda", "0", "sda2", 8, 2);
    AddDevice("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0", "sdb", "0", "sdb1", 8, 17);
    AddDevice("pci0000:00/0000:00:1f.2/ata3/host2/target2:0:0/2:0:0:0", "sdc", "1", "sdc1", 8, 33);
    AddDevice("pci0000:00/0000:00:1d.0/0000:03:00.0/nvme/nvme0", "nvme0n1", "0", "nvme0n1p1", 259, 1);
    AddDevice("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host7/target7:0:0/7:0:0:0", "sdd", "1", "", 8, 48);

    const std::string root = FRoot.string();
    EXPECT_FALSE(IsPortableBlockDevice(8, 2, root)) << "SATA partition of a fixed disk";
    EXPECT_TRUE(IsPortableBlockDevice(8, 17, root)) << "fixed disk on the USB bus";
    EXPECT_TRUE(IsPortableBlockDevice(8, 33, root)) << "partition of a removable disk";
    EXPECT_FALSE(IsPortableBlockDevice(259, 1, root)) << "NVMe partition";
    EXPECT_TRUE(IsPortableBlockDevice(8, 48, root)) << "unpartitioned USB stick";
}

TEST_F(FakeSysfs, OpticalAndUnknownDevicesAreNotPortable)
{
    // An optical drive reports itself removable, and often sits on USB: still not portable.
    AddDevice("pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/host9/target9:0:0/9:0:0:0", "sr0", "1", "", 11, 0);
    // A device without a removable flag at all, on no bus we know.
    AddDevice("virtual", "loop0", "", "", 7, 0);

    const std::string root = FRoot.string();
    EXPECT_FALSE(IsPortableBlockDevice(11, 0, root));
    EXPECT_FALSE(IsPortableBlockDevice(7, 0, root));
    EXPECT_FALSE(IsPortableBlockDevice(8, 99, root)) << "no such device";
    EXPECT_FALSE(IsPortableBlockDevice(8, 2, (FRoot / "missing").string())) << "no sysfs";
    // A bus folder merely containing "usb" later in its name is not the USB bus.
    AddDevice("pci0000:00/notusb/host1/target1:0:0/1:0:0:0", "sde", "0", "", 8, 64);
    EXPECT_FALSE(IsPortableBlockDevice(8, 64, root));
}

TEST(PortableDrive, FilesThatAreNoDriveAreNotPortable)
{
    EXPECT_FALSE(IsPortableDrive(""));
    EXPECT_FALSE(IsPortableDrive("/no/such/file/anywhere"));
    EXPECT_FALSE(IsPortableDrive("/proc/self/status")) << "virtual file system";
}

} // namespace
} // namespace qn
