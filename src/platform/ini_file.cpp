// Private-profile (INI) files: parsing, queries, edits and the atomic file functions over them.
#include "platform/ini_file.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>

namespace qn {

namespace {

constexpr std::size_t NoSection = static_cast<std::size_t>(-1);

bool SameName(std::string_view a, std::string_view b)
{
    return SameText(TrimText(a), TrimText(b));
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

// Cuts after IniMaxValueLength code points, never inside a UTF-8 sequence.
std::string CutValue(std::string_view s)
{
    std::size_t points = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80 && ++points > IniMaxValueLength)
            return std::string(s.substr(0, i));
    }
    return std::string(s);
}

std::string OneLine(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c == '\r' || c == '\n')
            c = ' ';
    return r;
}

// Blanks around a value and one pair of enclosing quotes are dropped on reading, so such a value
// is written in quotes to read back exactly as given.
std::string ValueText(std::string_view AValue)
{
    std::string v = OneLine(AValue);
    const bool needsQuotes = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                                            (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back()));
    return needsQuotes ? '"' + v + '"' : v;
}

// A key that the plain form cannot carry (an "=" in it, or a start that reads as a header, a comment
// or a quote: interface names may hold any of these) is written in double quotes, with quotes inside
// it doubled.
std::string KeyText(const std::string& AKey)
{
    const bool plain = !AKey.empty() && AKey.find('=') == std::string::npos && AKey.front() != '[' &&
                       AKey.front() != ';' && AKey.front() != '"';
    if (plain)
        return AKey;
    std::string text = "\"";
    for (const char c : AKey) {
        text += c;
        if (c == '"')
            text += '"';
    }
    return text + '"';
}

// The key of a line written by KeyText and the position after its "=".
std::optional<std::pair<std::string, std::size_t>> ParseQuotedKey(std::string_view ALine)
{
    std::size_t i = ALine.find('"') + 1;
    std::string key;
    for (; i < ALine.size(); ++i) {
        if (ALine[i] != '"') {
            key += ALine[i];
        } else if (i + 1 < ALine.size() && ALine[i + 1] == '"') {
            key += '"';
            ++i;
        } else {
            break;
        }
    }
    if (i >= ALine.size())
        return std::nullopt;
    ++i;
    while (i < ALine.size() && IsBlank(ALine[i]))
        ++i;
    if (i >= ALine.size() || ALine[i] != '=')
        return std::nullopt;
    return std::make_pair(std::move(key), i + 1);
}

} // namespace

EIniWriteError::EIniWriteError(const std::string& AFileName)
    : std::runtime_error("Unable to write to " + AFileName), FFileName(AFileName)
{
}

TIniDocument::TIniDocument(std::string_view AText)
{
    while (AText.substr(0, 3) == "\xEF\xBB\xBF")
        AText.remove_prefix(3);
    FLines.reserve(static_cast<std::size_t>(std::count(AText.begin(), AText.end(), '\n')) + 1);
    while (!AText.empty()) {
        const std::size_t eol = AText.find('\n');
        std::string_view line = AText.substr(0, eol);
        AText.remove_prefix(eol == std::string_view::npos ? AText.size() : eol + 1);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        TLine l;
        l.Text = std::string(line);
        const std::string_view t = TrimText(line);
        if (!t.empty() && t.front() == '[') {
            const std::size_t close = t.find(']');
            l.Kind = TLineKind::Header;
            l.Name = std::string(
                TrimText(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        } else if (!t.empty() && t.front() == '"') {
            if (const auto quoted = ParseQuotedKey(line)) {
                l.Kind = TLineKind::Key;
                l.Name = quoted->first;
                l.ValuePos = quoted->second;
            }
        } else if (!t.empty() && t.front() != ';') {
            const std::size_t eq = line.find('=');
            if (eq != std::string_view::npos && !TrimText(line.substr(0, eq)).empty()) {
                l.Kind = TLineKind::Key;
                l.Name = std::string(TrimText(line.substr(0, eq)));
                l.ValuePos = eq + 1;
            }
        }
        FLines.push_back(std::move(l));
    }
    Reindex();
}

void TIniDocument::Reindex()
{
    std::size_t current = NoSection;
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (FLines[i].Kind == TLineKind::Header)
            current = i;
        FLines[i].SectionIndex = current;
    }
}

bool TIniDocument::InSection(const TLine& ALine, std::string_view ASection) const
{
    return ALine.Kind == TLineKind::Key && ALine.SectionIndex != NoSection &&
           SameName(FLines[ALine.SectionIndex].Name, ASection);
}

std::string TIniDocument::ValueOf(const TLine& ALine)
{
    std::string_view v = TrimText(std::string_view(ALine.Text).substr(ALine.ValuePos));
    if (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back())
        v = v.substr(1, v.size() - 2);
    return CutValue(v);
}

// The scans below compare a section name once per header, not once per key line: a file that
// has grown to many megabytes is still searched in a few milliseconds.
std::optional<std::string> TIniDocument::Value(std::string_view ASection, std::string_view AKey) const
{
    bool inSection = false;
    for (const TLine& l : FLines) {
        if (l.Kind == TLineKind::Header)
            inSection = SameName(l.Name, ASection);
        else if (inSection && l.Kind == TLineKind::Key && SameName(l.Name, AKey))
            return ValueOf(l);
    }
    return std::nullopt;
}

std::vector<TIniKeyValue> TIniDocument::Section(std::string_view ASection) const
{
    std::vector<TIniKeyValue> result;
    bool inSection = false;
    for (const TLine& l : FLines) {
        if (l.Kind == TLineKind::Header)
            inSection = SameName(l.Name, ASection);
        if (!inSection || l.Kind != TLineKind::Key)
            continue;
        bool seen = false;
        for (const auto& kv : result)
            seen = seen || SameName(kv.first, l.Name);
        if (!seen)
            result.emplace_back(l.Name, ValueOf(l));
    }
    return result;
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> result;
    for (const TLine& l : FLines) {
        if (l.Kind != TLineKind::Header)
            continue;
        bool seen = false;
        for (const auto& n : result)
            seen = seen || SameName(n, l.Name);
        if (!seen)
            result.push_back(l.Name);
    }
    return result;
}

void TIniDocument::SetValue(std::string_view ASection, std::string_view AKey, std::string_view AValue)
{
    const std::string key = OneLine(TrimText(AKey));
    const std::string value = ValueText(AValue);
    bool inSection = false;
    for (TLine& l : FLines) {
        if (l.Kind == TLineKind::Header)
            inSection = SameName(l.Name, ASection);
        else if (inSection && l.Kind == TLineKind::Key && SameName(l.Name, key)) {
            l.Text = KeyText(l.Name) + "=";
            l.ValuePos = l.Text.size();
            l.Text += value;
            return;
        }
    }
    TLine line;
    line.Kind = TLineKind::Key;
    line.Name = key;
    line.Text = KeyText(key) + "=";
    line.ValuePos = line.Text.size();
    line.Text += value;

    // Into the first block of the section, after its last key; else a new section at the end.
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (FLines[i].Kind != TLineKind::Header || !SameName(FLines[i].Name, ASection))
            continue;
        std::size_t at = i + 1;
        for (std::size_t j = i + 1; j < FLines.size() && FLines[j].Kind != TLineKind::Header; ++j)
            if (FLines[j].Kind == TLineKind::Key)
                at = j + 1;
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        Reindex();
        return;
    }
    if (!FLines.empty() && !TrimText(FLines.back().Text).empty())
        FLines.push_back(TLine{});
    TLine header;
    header.Kind = TLineKind::Header;
    header.Name = OneLine(TrimText(ASection));
    header.Text = "[" + header.Name + "]";
    FLines.push_back(std::move(header));
    FLines.push_back(std::move(line));
    Reindex();
}

bool TIniDocument::DeleteKey(std::string_view ASection, std::string_view AKey)
{
    return EraseLines([&](const TLine& l) { return InSection(l, ASection) && SameName(l.Name, AKey); });
}

bool TIniDocument::DeleteSection(std::string_view ASection)
{
    return EraseLines(
        [&](const TLine& l) { return l.SectionIndex != NoSection && SameName(FLines[l.SectionIndex].Name, ASection); });
}

bool TIniDocument::EraseLines(const std::function<bool(const TLine&)>& AWhich)
{
    // Decided for every line first: the test looks at header lines that erasing would move.
    std::vector<bool> erase(FLines.size());
    bool any = false;
    for (std::size_t i = 0; i < FLines.size(); ++i)
        any = (erase[i] = AWhich(FLines[i])) || any;
    if (!any)
        return false;
    std::vector<TLine> kept;
    kept.reserve(FLines.size());
    for (std::size_t i = 0; i < FLines.size(); ++i)
        if (!erase[i])
            kept.push_back(std::move(FLines[i]));
    FLines = std::move(kept);
    Reindex();
    return true;
}

std::string TIniDocument::Text() const
{
    std::string text;
    for (const TLine& l : FLines) {
        text += l.Text;
        text += '\n';
    }
    return text;
}

namespace {

// A settings path that names a FIFO, a device or a folder reads as empty and is never written
// through; the user learns why once per path, not at every read.
void ReportNotAFile(const std::string& AFileName)
{
    static std::mutex mutex;
    static std::set<std::string> reported;
    std::lock_guard lock(mutex);
    if (reported.insert(AFileName).second)
        std::fprintf(stderr, "%s is not a regular file: it is read as empty and never written\n",
                     IniFullPath(AFileName).c_str());
}

// A file that exists but cannot be read must not be replaced by a rewrite from nothing.
bool LoadForChange(const std::string& AFileName, TIniDocument& ADoc, std::string& AOldText, bool& AExisted)
{
    AExisted = false;
    switch (ReadWholeFile(AFileName, AOldText)) {
    case TFileReadResult::Ok:
        ADoc = TIniDocument(AOldText);
        AExisted = true;
        return true;
    case TFileReadResult::Missing:
        return true;
    case TFileReadResult::NotAFile:
        ReportNotAFile(AFileName);
        break;
    case TFileReadResult::Failed:
        break;
    }
    return false;
}

bool Store(const std::string& AFileName, const TIniDocument& ADoc, const std::string& AOldText, bool AExisted)
{
    const std::string text = ADoc.Text();
    if (AExisted && text == AOldText)
        return true;
    return ReplaceFileAtomically(AFileName, text);
}

TIniDocument Load(const std::string& AFileName)
{
    std::string text;
    const TFileReadResult result = ReadWholeFile(AFileName, text);
    if (result == TFileReadResult::NotAFile)
        ReportNotAFile(AFileName);
    if (result != TFileReadResult::Ok)
        return {};
    return TIniDocument(text);
}

} // namespace

std::string IniFullPath(const std::string& AFileName)
{
    if (AFileName.empty())
        return AFileName;
    std::error_code ec;
    const auto full = std::filesystem::absolute(AFileName, ec);
    return ec ? AFileName : full.lexically_normal().string();
}

std::optional<std::string> IniReadValue(const std::string& AFileName, std::string_view ASection, std::string_view AKey)
{
    return Load(AFileName).Value(ASection, AKey);
}

std::string IniReadString(const std::string& AFileName, std::string_view ASection, std::string_view AKey,
                          std::string_view ADefault)
{
    auto v = IniReadValue(AFileName, ASection, AKey);
    return v ? std::move(*v) : std::string(ADefault);
}

std::vector<TIniKeyValue> IniReadSection(const std::string& AFileName, std::string_view ASection)
{
    return Load(AFileName).Section(ASection);
}

void IniWriteString(const std::string& AFileName, std::string_view ASection, std::string_view AKey,
                    std::string_view AValue)
{
    TIniDocument doc;
    std::string old;
    bool existed = false;
    if (!LoadForChange(AFileName, doc, old, existed))
        throw EIniWriteError(IniFullPath(AFileName));
    doc.SetValue(ASection, AKey, AValue);
    if (!Store(AFileName, doc, old, existed))
        throw EIniWriteError(IniFullPath(AFileName));
}

void IniDeleteSection(const std::string& AFileName, std::string_view ASection)
{
    TIniDocument doc;
    std::string old;
    bool existed = false;
    if (!LoadForChange(AFileName, doc, old, existed))
        throw EIniWriteError(IniFullPath(AFileName));
    if (doc.DeleteSection(ASection) && !ReplaceFileAtomically(AFileName, doc.Text()))
        throw EIniWriteError(IniFullPath(AFileName));
}

bool IniDeleteKey(const std::string& AFileName, std::string_view ASection, std::string_view AKey) noexcept
{
    try {
        TIniDocument doc;
        std::string old;
        bool existed = false;
        return LoadForChange(AFileName, doc, old, existed) && doc.DeleteKey(ASection, AKey) &&
               ReplaceFileAtomically(AFileName, doc.Text());
    } catch (...) {
        return false;
    }
}

bool IniDeleteKeys(const std::string& AFileName, std::string_view ASection,
                   const std::vector<std::string>& AKeys) noexcept
{
    try {
        TIniDocument doc;
        std::string old;
        bool existed = false;
        if (!LoadForChange(AFileName, doc, old, existed))
            return false;
        bool any = false;
        for (const std::string& key : AKeys)
            any = doc.DeleteKey(ASection, key) || any;
        return any && ReplaceFileAtomically(AFileName, doc.Text());
    } catch (...) {
        return false;
    }
}

void TIniFileEdit::Load()
{
    if (FLoaded)
        return;
    FLoaded = true;
    FReadable = LoadForChange(FFileName, FDoc, FOldText, FExisted);
    if (!FReadable)
        FDoc = TIniDocument();
}

const TIniDocument& TIniFileEdit::Document()
{
    Load();
    return FDoc;
}

TIniDocument& TIniFileEdit::Change()
{
    Load();
    if (!FReadable)
        throw EIniWriteError(IniFullPath(FFileName));
    FChanged = true;
    return FDoc;
}

void TIniFileEdit::Commit()
{
    if (!FChanged)
        return;
    if (!FReadable || !Store(FFileName, FDoc, FOldText, FExisted))
        throw EIniWriteError(IniFullPath(FFileName));
    // The next Commit writes whenever something changed again.
    FOldText.clear();
    FExisted = false;
    FChanged = false;
}

} // namespace qn
