// The removable-drive test: the drive type of the executable's volume, and for a fixed drive the bus
// the storage device hangs on (a USB disk reports itself as fixed).
#include "platform/portable_drive.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

#include <winioctl.h>

namespace qn {

namespace {

// The volume's device (\\.\X:) sits on USB, as the storage-device query says.
bool OnUsbBus(const std::wstring& AVolume)
{
    if (AVolume.size() < 2 || AVolume[1] != L':')
        return false; // a mounted folder or a network share: no drive letter to open
    const std::wstring device = L"\\\\.\\" + AVolume.substr(0, 2);
    // No access rights needed for the query; sharing everything keeps other users of the disk happy.
    const HANDLE disk =
        CreateFileW(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (disk == INVALID_HANDLE_VALUE)
        return false;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    alignas(8) BYTE buffer[1024] = {};
    DWORD got = 0;
    const bool ok = DeviceIoControl(disk, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer, sizeof(buffer),
                                    &got, nullptr) != 0;
    ::CloseHandle(disk);
    if (!ok || got < offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof(STORAGE_BUS_TYPE))
        return false;
    const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer);
    return descriptor->BusType == BusTypeUsb;
}

} // namespace

bool IsPortableDrive(const std::string& AExePath)
{
    if (AExePath.empty())
        return false;
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(win::Widen(AExePath).c_str(), volume, MAX_PATH))
        return false;
    switch (GetDriveTypeW(volume)) {
    case DRIVE_REMOVABLE:
        return true;
    case DRIVE_FIXED:
        return OnUsbBus(volume);
    default:
        return false; // optical, network, RAM disks and unknown volumes
    }
}

bool IsPortableBlockDevice(unsigned, unsigned, const std::string&)
{
    return false; // there are no block-device numbers or sysfs here
}

} // namespace qn
