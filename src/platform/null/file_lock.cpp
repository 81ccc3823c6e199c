// Without a system lock there is nobody to share with: every lock is granted.
#include "platform/file_lock.h"

namespace qn {

TFileLock::~TFileLock()
{
    Unlock();
}

TFileLock::TResult TFileLock::TryLock(const std::string&)
{
    FHandle = 0;
    return lrLocked;
}

void TFileLock::Unlock()
{
    FHandle = -1;
}

} // namespace qn
