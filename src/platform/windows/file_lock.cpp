// The exclusive file lock as LockFileEx on a file of its own, kept as a C run-time descriptor.
#include "platform/file_lock.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

#include <fcntl.h>
#include <io.h>

namespace qn {

TFileLock::~TFileLock()
{
    Unlock();
}

TFileLock::TResult TFileLock::TryLock(const std::string& APath)
{
    Unlock();
    // Others may open the file (to find out that it is locked); the lock is on its first byte.
    const HANDLE file = CreateFileW(win::Widen(APath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lrFailed;
    OVERLAPPED at{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const bool held = GetLastError() == ERROR_LOCK_VIOLATION;
        ::CloseHandle(file);
        return held ? lrHeld : lrFailed;
    }
    // The descriptor owns the handle from here on: closing it closes the handle and drops the lock.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR);
    if (fd < 0) {
        ::CloseHandle(file);
        return lrFailed;
    }
    FHandle = fd;
    return lrLocked;
}

void TFileLock::Unlock()
{
    if (FHandle >= 0) {
        _close(FHandle);
        FHandle = -1;
    }
}

} // namespace qn
