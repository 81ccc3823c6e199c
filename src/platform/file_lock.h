// An exclusive advisory lock on a file, held for as long as the object lives.
#pragma once

#include <string>

namespace qn {

// Holds an exclusive lock on the file at the path given to TryLock, creating the file when it is
// missing. The lock belongs to this object's own open file: a second TFileLock on the same path
// fails while the first holds it, in the same process or another. The kernel drops the lock when
// the holder ends in any way (a crash or SIGKILL included), so a lock is never left stale.
class TFileLock
{
public:
    enum TResult
    {
        lrLocked, // this object holds the lock now
        lrHeld,   // another holder has it
        lrFailed, // the file cannot be created or opened
    };

    TFileLock() = default;
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    // Never waits.
    TResult TryLock(const std::string& APath);
    void Unlock();
    bool Locked() const { return FHandle >= 0; }

private:
    int FHandle = -1;
};

} // namespace qn
