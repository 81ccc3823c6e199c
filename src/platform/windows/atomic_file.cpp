// Windows whole-file reads and atomic replacement: a write-through temporary file, flushed, then
// ReplaceFileW over an existing file (which keeps its attributes and security) or MoveFileExW.
#include "platform/atomic_file.h"

#include "platform/windows/sdk.h"
#include "platform/windows/wide_path.h"

#include <algorithm>
#include <atomic>

namespace qn {

namespace {

class THandle
{
public:
    explicit THandle(HANDLE AHandle) : FHandle(AHandle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    void Reset(HANDLE AHandle)
    {
        Close();
        FHandle = AHandle;
    }
    bool Close()
    {
        const bool ok = !Valid() || ::CloseHandle(FHandle) != 0;
        FHandle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE FHandle;
};

bool WriteAll(HANDLE AFile, std::string_view AText)
{
    while (!AText.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(AText.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(AFile, AText.data(), chunk, &written, nullptr) || written == 0)
            return false;
        AText.remove_prefix(written);
    }
    return true;
}

bool IsMissing(DWORD AError)
{
    return AError == ERROR_FILE_NOT_FOUND || AError == ERROR_PATH_NOT_FOUND || AError == ERROR_INVALID_NAME;
}

// Ours are named ".<file>.XXXXXX"; one that has not changed for a minute belongs to no running write.
void RemoveStaleTemporaries(const std::wstring& ADir, const std::wstring& ABase)
{
    const std::wstring prefix = L"." + ABase + L".";
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((ADir + L"\\" + prefix + L"??????").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FILETIME nowFile{};
    GetSystemTimeAsFileTime(&nowFile);
    const auto ticks = [](const FILETIME& ATime) {
        return static_cast<ULONGLONG>(ATime.dwHighDateTime) << 32 | ATime.dwLowDateTime;
    };
    constexpr ULONGLONG StaleTicks = 60ull * 10'000'000ull;
    do {
        const std::wstring name = found.cFileName;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0 ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        if (ticks(nowFile) > ticks(found.ftLastWriteTime) + StaleTicks)
            DeleteFileW((ADir + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Six characters that differ between writers and between the writes of one process.
std::wstring UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    unsigned value = GetCurrentProcessId() * 7919u + GetCurrentThreadId() * 104729u + counter++ * 31u +
                     static_cast<unsigned>(GetTickCount64());
    std::wstring out;
    for (int i = 0; i < 6; ++i) {
        out += L"abcdefghijklmnopqrstuvwxyz0123456789"[value % 36];
        value /= 36;
    }
    return out;
}

} // namespace

TFileReadResult ReadWholeFile(const std::string& AFileName, std::string& AText)
{
    AText.clear();
    const std::wstring name = win::Widen(AFileName);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(GetLastError()) ? TFileReadResult::Missing : TFileReadResult::Failed;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return TFileReadResult::NotAFile;
    THandle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return IsMissing(GetLastError()) ? TFileReadResult::Missing : TFileReadResult::Failed;
    // A device or a pipe is never read: it could block for ever.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK)
        return TFileReadResult::NotAFile;
    char buf[16384];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.Get(), buf, sizeof buf, &n, nullptr)) {
            AText.clear();
            return TFileReadResult::Failed;
        }
        if (n == 0)
            break;
        AText.append(buf, n);
    }
    return TFileReadResult::Ok;
}

bool ReplaceFileAtomically(const std::string& AFileName, std::string_view AText)
{
    if (AFileName.empty())
        return false;
    const std::wstring target = win::Widen(AFileName);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // Only a file is replaced; a read-only one (settings frozen by their owner) is refused.
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return false;
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring dir = slash == std::wstring::npos ? L"." : target.substr(0, slash);
    const std::wstring base = slash == std::wstring::npos ? target : target.substr(slash + 1);
    if (base.empty())
        return false;

    // Same folder, so the move stays on one volume and is atomic.
    std::wstring temp;
    THandle file(INVALID_HANDLE_VALUE);
    for (int tries = 0; tries < 16 && !file.Valid(); ++tries) {
        temp = dir + L"\\." + base + L"." + UniqueSuffix();
        file.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file.Valid() && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (!file.Valid())
        return false;
    bool written = WriteAll(file.Get(), AText) && FlushFileBuffers(file.Get()) != 0;
    written = file.Close() && written;
    bool moved = false;
    if (written && exists)
        moved =
            ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    // A new file, or a volume that cannot replace (FAT keeps no security to carry over): a plain move.
    if (written && !moved)
        moved = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
        DeleteFileW(temp.c_str());
        return false;
    }
    RemoveStaleTemporaries(dir, base);
    return true;
}

} // namespace qn
