// The key/value storage the layout manager saves into and restores from.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qn {

// A key of a section and its value, as stored.
using TStorageEntry = std::pair<std::string, std::string>;

// Shared by its users through std::shared_ptr; texts are UTF-8; names of sections and keys are
// compared without regard to case. Date-times are days since 1899-12-30 (fraction = time of day).
//
// Contract the layout manager relies on:
// - every Read... returns ADefault when the key is absent (or its text is not of the asked kind);
// - reads and writes open the storage by themselves when it is closed;
// - Close ends the work and makes the writes durable (inside an update: at its end);
// - between BeginUpdate and the matching EndUpdate the medium is read at most once and written
//   not at all; the outermost EndUpdate writes every change of the update at once, so the medium
//   never holds part of them, and throws what a write would; CancelUpdate ends an update dropping
//   its changes and never throws. Updates nest;
// - a write the medium refuses throws std::runtime_error whose message is "Unable to write to <path>";
//   reads never throw.
class ILayoutManagerStorage
{
public:
    virtual ~ILayoutManagerStorage() = default;

    virtual bool GetOpened() const = 0;
    virtual void SetOpened(bool AValue) = 0;
    // True when the section holds at least one key.
    virtual bool SectionExists(const std::string& AName) = 0;
    virtual bool ValueExists(const std::string& ASection, const std::string& AName) = 0;
    virtual void WriteInteger(const std::string& ASection, const std::string& AName, std::int64_t AValue) = 0;
    virtual void WriteString(const std::string& ASection, const std::string& AName, const std::string& AValue) = 0;
    virtual void WriteFloat(const std::string& ASection, const std::string& AName, double AValue) = 0;
    virtual void WriteDatetime(const std::string& ASection, const std::string& AName, double AValue) = 0;
    virtual void WriteBoolean(const std::string& ASection, const std::string& AName, bool AValue) = 0;
    virtual std::int64_t ReadInteger(const std::string& ASection, const std::string& AName, std::int64_t ADefault) = 0;
    virtual std::string ReadString(const std::string& ASection, const std::string& AName,
                                   const std::string& ADefault) = 0;
    virtual double ReadFloat(const std::string& ASection, const std::string& AName, double ADefault) = 0;
    virtual double ReadDatetime(const std::string& ASection, const std::string& AName, double ADefault) = 0;
    virtual bool ReadBoolean(const std::string& ASection, const std::string& AName, bool ADefault) = 0;
    // Replaces AList by the section's keys with their values, in storage order.
    virtual void ReadSection(const std::string& ASection, std::vector<TStorageEntry>& AList) = 0;
    virtual void DeleteSection(const std::string& ASection) = 0;
    virtual void DeleteValue(const std::string& ASection, const std::string& AName) = 0;
    // DeleteValue for each name, in one change of the medium.
    virtual void DeleteValues(const std::string& ASection, const std::vector<std::string>& ANames) = 0;
    // Makes pending writes durable; the storage stays open.
    virtual void Save() = 0;
    // Does nothing when already open: the first Open decides.
    virtual void Open(bool AReadOnly) = 0;
    virtual void Close() = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void CancelUpdate() = 0;
};

// Closes the storage however the work on it ends.
struct TCloseGuard
{
    ILayoutManagerStorage& Storage;
    ~TCloseGuard() { Storage.Close(); }
};

// One pass over the storage for everything done while it lives: one read, and one replacement
// when Commit is reached, so the file never holds half of one save and half of the one before.
// Left without Commit (an exception), the changes are dropped.
class TStorageUpdate
{
public:
    explicit TStorageUpdate(ILayoutManagerStorage* AStorage) : FStorage(AStorage)
    {
        if (FStorage)
            FStorage->BeginUpdate();
    }
    TStorageUpdate(const TStorageUpdate&) = delete;
    TStorageUpdate& operator=(const TStorageUpdate&) = delete;
    ~TStorageUpdate()
    {
        if (FStorage)
            FStorage->CancelUpdate();
    }
    void Commit()
    {
        if (ILayoutManagerStorage* storage = std::exchange(FStorage, nullptr))
            storage->EndUpdate();
    }

private:
    ILayoutManagerStorage* FStorage;
};

} // namespace qn
