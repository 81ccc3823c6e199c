// The settings storage over one INI file, and the text forms of its values.
#include "layout/layout_manager_ini_storage.h"

#include "platform/ascii_text.h"
#include "platform/calendar.h"
#include "platform/ini_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace qn {

namespace {

bool DaysInMonthOk(std::int64_t y, unsigned m, unsigned d)
{
    return m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

// Reads an unsigned decimal number of at most AMaxDigits digits at APos.
bool TakeNumber(std::string_view s, std::size_t& APos, unsigned AMaxDigits, unsigned& AValue)
{
    const std::size_t start = APos;
    AValue = 0;
    while (APos < s.size() && s[APos] >= '0' && s[APos] <= '9' && APos - start < AMaxDigits)
        AValue = AValue * 10 + static_cast<unsigned>(s[APos++] - '0');
    return APos > start;
}

bool TakeChar(std::string_view s, std::size_t& APos, char c)
{
    if (APos < s.size() && s[APos] == c) {
        ++APos;
        return true;
    }
    return false;
}

// The integer rule: "0x"/"0X" stands for "$"; an optional sign, then "$" and up to 16 hexadecimal
// digits (taken as the two's complement bit pattern) or decimal digits that must fit.
std::optional<std::int64_t> ParseInteger(std::string_view AText, unsigned ABits)
{
    std::string text(AText);
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    if (s.front() == '$') {
        s.remove_prefix(1);
        if (s.empty() || s.size() > ABits / 4)
            return std::nullopt;
        std::uint64_t v = 0;
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v, 16);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size())
            return std::nullopt;
        std::int64_t value =
            ABits == 32 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v)) : static_cast<std::int64_t>(v);
        if (negative)
            value = static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(value));
        return value;
    }
    if (s.front() < '0' || s.front() > '9')
        return std::nullopt;
    std::uint64_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, 10);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    const std::uint64_t limit = ABits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull;
    if (v > limit + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

} // namespace

std::optional<std::int64_t> IniTextToInteger(std::string_view AText)
{
    return ParseInteger(AText, 64);
}

std::optional<std::int32_t> IniTextToInteger32(std::string_view AText)
{
    const auto v = ParseInteger(AText, 32);
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::string IniFloatToText(double AValue)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, AValue, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

std::optional<double> IniTextToFloat(std::string_view AText)
{
    std::string_view s = TrimText(AText);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string IniDateTimeToText(double AValue)
{
    TDateTimeFields t;
    if (!DecodeDateTime(AValue, t))
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
    return buf;
}

std::optional<double> IniTextToDateTime(std::string_view AText)
{
    const std::string_view s = TrimText(AText);
    std::size_t pos = 0;
    unsigned y = 0, m = 0, d = 0, hh = 0, nn = 0, ss = 0;
    if (!TakeNumber(s, pos, 4, y) || !TakeChar(s, pos, '-') || !TakeNumber(s, pos, 2, m) || !TakeChar(s, pos, '-') ||
        !TakeNumber(s, pos, 2, d))
        return std::nullopt;
    if (pos < s.size()) {
        if (!TakeChar(s, pos, ' '))
            return std::nullopt;
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
        if (!TakeNumber(s, pos, 2, hh) || !TakeChar(s, pos, ':') || !TakeNumber(s, pos, 2, nn))
            return std::nullopt;
        if (TakeChar(s, pos, ':') && !TakeNumber(s, pos, 2, ss))
            return std::nullopt;
        if (pos != s.size())
            return std::nullopt;
    }
    if (y < 1 || !DaysInMonthOk(y, m, d) || hh > 23 || nn > 59 || ss > 59)
        return std::nullopt;
    const double date = static_cast<double>(DaysFromDate(y, m, d));
    const double time = (hh * 3600.0 + nn * 60.0 + ss) / 86400.0;
    return date >= 0 ? date + time : date - time;
}

TLayoutManagerINIStorage::TLayoutManagerINIStorage(std::string AFileName) : FFileName(std::move(AFileName)) {}

TLayoutManagerINIStorage::~TLayoutManagerINIStorage()
{
    Close();
}

void TLayoutManagerINIStorage::SetFileName(const std::string& AFileName)
{
    if (AFileName == FFileName)
        return;
    FFileName = AFileName;
    if (FEdit)
        FEdit.emplace(FFileName); // an update goes on with the new file
    if (FOpened) {
        Close();
        Open(true);
    }
}

void TLayoutManagerINIStorage::SetOpened(bool AValue)
{
    if (AValue)
        Open(true);
    else
        Close();
}

void TLayoutManagerINIStorage::Open(bool AReadOnly)
{
    if (FOpened || FFileName.empty())
        return;
    if (!AReadOnly) {
        const auto dir = std::filesystem::path(FFileName).parent_path();
        std::error_code ec;
        if (!dir.empty())
            std::filesystem::create_directories(dir, ec);
    }
    FOpened = true;
}

void TLayoutManagerINIStorage::Close()
{
    FOpened = false;
}

void TLayoutManagerINIStorage::Save()
{
    if (FEdit)
        FEdit->Commit();
}

void TLayoutManagerINIStorage::BeginUpdate()
{
    if (FUpdates++ == 0) {
        FCancelled = false;
        FEdit.emplace(FFileName);
    }
}

void TLayoutManagerINIStorage::EndUpdate()
{
    if (FUpdates == 0 || --FUpdates > 0)
        return;
    std::optional<TIniFileEdit> edit;
    edit.swap(FEdit);
    if (!FCancelled && !FFileName.empty())
        edit->Commit();
}

void TLayoutManagerINIStorage::CancelUpdate()
{
    FCancelled = true;
    if (FUpdates == 0 || --FUpdates > 0)
        return;
    FEdit.reset();
}

std::optional<std::string> TLayoutManagerINIStorage::Read(const std::string& ASection, const std::string& AName)
{
    Open(true);
    if (FFileName.empty())
        return std::nullopt;
    if (FEdit)
        return FEdit->Document().Value(ASection, AName);
    return IniReadValue(FFileName, ASection, AName);
}

void TLayoutManagerINIStorage::Write(const std::string& ASection, const std::string& AName, const std::string& AText)
{
    Open(false);
    if (FFileName.empty())
        throw EIniWriteError(FFileName);
    if (FEdit)
        FEdit->Change().SetValue(ASection, AName, AText);
    else
        IniWriteString(FFileName, ASection, AName, AText);
}

bool TLayoutManagerINIStorage::SectionExists(const std::string& AName)
{
    Open(true);
    if (FFileName.empty())
        return false;
    return !(FEdit ? FEdit->Document().Section(AName) : IniReadSection(FFileName, AName)).empty();
}

bool TLayoutManagerINIStorage::ValueExists(const std::string& ASection, const std::string& AName)
{
    return Read(ASection, AName).has_value();
}

void TLayoutManagerINIStorage::WriteInteger(const std::string& ASection, const std::string& AName, std::int64_t AValue)
{
    Write(ASection, AName, std::to_string(AValue));
}

void TLayoutManagerINIStorage::WriteString(const std::string& ASection, const std::string& AName,
                                           const std::string& AValue)
{
    Write(ASection, AName, AValue);
}

void TLayoutManagerINIStorage::WriteFloat(const std::string& ASection, const std::string& AName, double AValue)
{
    Write(ASection, AName, IniFloatToText(AValue));
}

void TLayoutManagerINIStorage::WriteDatetime(const std::string& ASection, const std::string& AName, double AValue)
{
    Write(ASection, AName, IniDateTimeToText(AValue));
}

void TLayoutManagerINIStorage::WriteBoolean(const std::string& ASection, const std::string& AName, bool AValue)
{
    Write(ASection, AName, AValue ? "1" : "0");
}

std::int64_t TLayoutManagerINIStorage::ReadInteger(const std::string& ASection, const std::string& AName,
                                                   std::int64_t ADefault)
{
    const auto text = Read(ASection, AName);
    return text ? IniTextToInteger(*text).value_or(ADefault) : ADefault;
}

std::string TLayoutManagerINIStorage::ReadString(const std::string& ASection, const std::string& AName,
                                                 const std::string& ADefault)
{
    auto text = Read(ASection, AName);
    return text ? std::move(*text) : ADefault;
}

double TLayoutManagerINIStorage::ReadFloat(const std::string& ASection, const std::string& AName, double ADefault)
{
    const auto text = Read(ASection, AName);
    return text ? IniTextToFloat(*text).value_or(ADefault) : ADefault;
}

double TLayoutManagerINIStorage::ReadDatetime(const std::string& ASection, const std::string& AName, double ADefault)
{
    const auto text = Read(ASection, AName);
    return text ? IniTextToDateTime(*text).value_or(ADefault) : ADefault;
}

bool TLayoutManagerINIStorage::ReadBoolean(const std::string& ASection, const std::string& AName, bool ADefault)
{
    const auto text = Read(ASection, AName);
    if (!text)
        return ADefault;
    return IniTextToInteger32(*text).value_or(ADefault ? 1 : 0) != 0;
}

void TLayoutManagerINIStorage::ReadSection(const std::string& ASection, std::vector<TStorageEntry>& AList)
{
    AList.clear();
    Open(true);
    if (FFileName.empty())
        return;
    AList = FEdit ? FEdit->Document().Section(ASection) : IniReadSection(FFileName, ASection);
}

void TLayoutManagerINIStorage::DeleteSection(const std::string& ASection)
{
    if (!SectionExists(ASection))
        return;
    if (FEdit)
        FEdit->Change().DeleteSection(ASection);
    else
        IniDeleteSection(FFileName, ASection);
}

void TLayoutManagerINIStorage::DeleteValue(const std::string& ASection, const std::string& AName)
{
    Open(true);
    if (FFileName.empty())
        return;
    if (!FEdit) {
        IniDeleteKey(FFileName, ASection, AName);
        return;
    }
    // As the one-call deletion: a file that cannot be read keeps its key.
    try {
        FEdit->Change().DeleteKey(ASection, AName);
    } catch (const EIniWriteError&) {
    }
}

void TLayoutManagerINIStorage::DeleteValues(const std::string& ASection, const std::vector<std::string>& ANames)
{
    Open(true);
    if (FFileName.empty() || ANames.empty())
        return;
    if (!FEdit) {
        IniDeleteKeys(FFileName, ASection, ANames);
        return;
    }
    // Inside an update the deletion joins its one replacement; written around it, the update's
    // commit would bring the keys back.
    try {
        TIniDocument& doc = FEdit->Change();
        for (const std::string& name : ANames)
            doc.DeleteKey(ASection, name);
    } catch (const EIniWriteError&) {
    }
}

} // namespace qn
