// The exclusive file lock as flock(2) on a file of its own.
#include "platform/file_lock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qn {

TFileLock::~TFileLock()
{
    Unlock();
}

TFileLock::TResult TFileLock::TryLock(const std::string& APath)
{
    Unlock();
    const int fd = open(APath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return lrFailed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? lrHeld : lrFailed;
    }
    FHandle = fd;
    return lrLocked;
}

void TFileLock::Unlock()
{
    if (FHandle >= 0) {
        close(FHandle); // closing the only descriptor releases the lock
        FHandle = -1;
    }
}

} // namespace qn
