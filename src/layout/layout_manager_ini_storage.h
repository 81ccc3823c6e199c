// The settings storage over one INI file.
#pragma once

#include "layout/layout_manager_storage.h"
#include "platform/ini_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qn {

// ILayoutManagerStorage over an INI file. Value texts:
// - integers in decimal; read back also as hexadecimal with a "$" or "0x"/"0X" prefix;
// - floats with at most 15 significant digits and "." whatever the locale;
// - date-times as "yyyy-mm-dd hh:nn:ss";
// - Booleans as "1"/"0", read back by the integer rule (non-zero is true);
// - strings as given, read back cut to 2047 characters.
// Outside an update every write reaches the disk atomically when it is made and every read parses
// the file anew (see platform/ini_file.h). An update reads the file once, at its first read or
// write, and replaces it once, at its end (see TIniFileEdit); Save commits an update's changes so
// far.
class TLayoutManagerINIStorage : public ILayoutManagerStorage
{
public:
    TLayoutManagerINIStorage() = default;
    explicit TLayoutManagerINIStorage(std::string AFileName);
    ~TLayoutManagerINIStorage() override;

    const std::string& FileName() const { return FFileName; }
    // A different name closes an open storage and reopens it read-only on the new file.
    void SetFileName(const std::string& AFileName);

    bool GetOpened() const override { return FOpened; }
    void SetOpened(bool AValue) override;
    bool SectionExists(const std::string& AName) override;
    bool ValueExists(const std::string& ASection, const std::string& AName) override;
    void WriteInteger(const std::string& ASection, const std::string& AName, std::int64_t AValue) override;
    void WriteString(const std::string& ASection, const std::string& AName, const std::string& AValue) override;
    void WriteFloat(const std::string& ASection, const std::string& AName, double AValue) override;
    void WriteDatetime(const std::string& ASection, const std::string& AName, double AValue) override;
    void WriteBoolean(const std::string& ASection, const std::string& AName, bool AValue) override;
    std::int64_t ReadInteger(const std::string& ASection, const std::string& AName, std::int64_t ADefault) override;
    std::string ReadString(const std::string& ASection, const std::string& AName, const std::string& ADefault) override;
    double ReadFloat(const std::string& ASection, const std::string& AName, double ADefault) override;
    double ReadDatetime(const std::string& ASection, const std::string& AName, double ADefault) override;
    bool ReadBoolean(const std::string& ASection, const std::string& AName, bool ADefault) override;
    void ReadSection(const std::string& ASection, std::vector<TStorageEntry>& AList) override;
    void DeleteSection(const std::string& ASection) override;
    void DeleteValue(const std::string& ASection, const std::string& AName) override;
    void DeleteValues(const std::string& ASection, const std::vector<std::string>& ANames) override;
    void Save() override;
    // Opening for writing creates the file's folder and its missing parents; a folder that cannot
    // be created is reported by the first write.
    void Open(bool AReadOnly) override;
    void Close() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void CancelUpdate() override;

private:
    std::optional<std::string> Read(const std::string& ASection, const std::string& AName);
    void Write(const std::string& ASection, const std::string& AName, const std::string& AText);

    std::string FFileName;
    bool FOpened = false;
    int FUpdates = 0;
    bool FCancelled = false;
    std::optional<TIniFileEdit> FEdit;
};

// The value text forms, shared with the tests and the fuzzers.
std::optional<std::int64_t> IniTextToInteger(std::string_view AText);
std::optional<std::int32_t> IniTextToInteger32(std::string_view AText);
std::string IniFloatToText(double AValue);
std::optional<double> IniTextToFloat(std::string_view AText);
// Days since 1899-12-30 to "yyyy-mm-dd hh:nn:ss" and back; an invalid or out-of-range text is nothing.
std::string IniDateTimeToText(double AValue);
std::optional<double> IniTextToDateTime(std::string_view AText);

} // namespace qn
