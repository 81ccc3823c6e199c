// Private-profile (INI) files: the small set of Windows profile functions the settings storage needs.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qn {

// Values longer than this many characters (UTF-8 code points) read back cut to this length.
inline constexpr std::size_t IniMaxValueLength = 2047;

// A write the file system refused. what() is "Unable to write to <full path>"; the file on disk is
// exactly as it was before the write was attempted.
class EIniWriteError : public std::runtime_error
{
public:
    explicit EIniWriteError(const std::string& AFileName);
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};

using TIniKeyValue = std::pair<std::string, std::string>;

// The text of one INI file, parsed, queried and changed in memory. Lines that are not understood
// (comments, garbage, lines without "=") are kept verbatim, so a rewrite never loses them.
//
// Semantics, as the Windows profile functions have them:
// - section and key names are compared without regard to (ASCII) case and without surrounding blanks;
// - a value is the text after the first "=", without surrounding blanks and without one pair of
//   matching enclosing quotes ("..." or '...'), cut to IniMaxValueLength code points;
// - lines starting with ";" are comments; a header without "]" names the rest of its line;
// - a key that would not read back as itself (it holds "=" or starts with "[", ";" or a quote) is
//   written in double quotes, quotes inside it doubled;
// - a leading UTF-8 byte-order mark is ignored; CR LF and LF line ends are both read;
// - sections of the same name that occur more than once read as one (the first key of a name wins).
class TIniDocument
{
public:
    TIniDocument() = default;
    explicit TIniDocument(std::string_view AText);

    // The value of a key, or nothing when the section or the key is absent.
    std::optional<std::string> Value(std::string_view ASection, std::string_view AKey) const;
    // Every key of a section with its value, in file order (empty for an absent section).
    std::vector<TIniKeyValue> Section(std::string_view ASection) const;
    // The names of all sections, in file order, each once.
    std::vector<std::string> SectionNames() const;

    // Replaces the key's value or adds the key (and its section at the end). Line breaks in names
    // and the value become blanks, so a value can never break the file's structure.
    void SetValue(std::string_view ASection, std::string_view AKey, std::string_view AValue);
    // Removes every line of that key in the section; false when there was none.
    bool DeleteKey(std::string_view ASection, std::string_view AKey);
    // Removes the section's headers and all their lines; false when there was no such header.
    bool DeleteSection(std::string_view ASection);

    // The file text: untouched lines as they were read, LF line ends.
    std::string Text() const;

private:
    enum class TLineKind
    {
        Other,
        Header,
        Key
    };
    struct TLine
    {
        TLineKind Kind = TLineKind::Other;
        std::string Text;             // the whole line as read or written
        std::string Name;             // section name (Header) or key (Key), trimmed
        std::size_t ValuePos = 0;     // Key: offset of the text after "="
        std::size_t SectionIndex = 0; // index of the header line, npos before the first header
    };

    static std::string ValueOf(const TLine& ALine);
    void Reindex();
    bool EraseLines(const std::function<bool(const TLine&)>& AWhich);
    bool InSection(const TLine& ALine, std::string_view ASection) const;

    std::vector<TLine> FLines;
};

// File functions. Each read parses the file anew (nothing is cached); an unreadable or missing
// file reads as empty. Each change replaces the file atomically: the new text goes to a temporary
// file in the same folder, is flushed to disk and renamed over the old one, so a crash or a full
// disk leaves either the old or the new file, never a torn or empty one.

std::optional<std::string> IniReadValue(const std::string& AFileName, std::string_view ASection, std::string_view AKey);
std::string IniReadString(const std::string& AFileName, std::string_view ASection, std::string_view AKey,
                          std::string_view ADefault);
std::vector<TIniKeyValue> IniReadSection(const std::string& AFileName, std::string_view ASection);

// Throws EIniWriteError when the file cannot be replaced (including when it exists but cannot be read).
void IniWriteString(const std::string& AFileName, std::string_view ASection, std::string_view AKey,
                    std::string_view AValue);
// Throws EIniWriteError; a section that is not in the file leaves the file untouched.
void IniDeleteSection(const std::string& AFileName, std::string_view ASection);
// Failures are ignored (the result is then false), as the profile functions do for deletions.
bool IniDeleteKey(const std::string& AFileName, std::string_view ASection, std::string_view AKey) noexcept;
// The same for several keys of one section, with one replacement of the file.
bool IniDeleteKeys(const std::string& AFileName, std::string_view ASection,
                   const std::vector<std::string>& AKeys) noexcept;

// A series of reads and changes of one file made with one read and at most one replacement, for a
// caller that reads or writes many keys at once: the file is read at the first use, changes are
// made in memory, Commit writes them all in one atomic replacement. The file functions above are
// this for one call each. Changes made by others after the read are not seen, and are overwritten
// by Commit.
class TIniFileEdit
{
public:
    explicit TIniFileEdit(std::string AFileName) : FFileName(std::move(AFileName)) {}

    const std::string& FileName() const { return FFileName; }
    // The content; a missing or unreadable file reads as empty.
    const TIniDocument& Document();
    // The content to change. Throws EIniWriteError when the file exists but cannot be read: a
    // rewrite from nothing would lose it.
    TIniDocument& Change();
    // Replaces the file when a change was asked for and the text differs from the file's (a
    // missing file is created). Throws EIniWriteError, leaving the file as it was.
    void Commit();

private:
    void Load();

    std::string FFileName;
    TIniDocument FDoc;
    std::string FOldText;
    bool FLoaded = false;
    bool FExisted = false;
    bool FReadable = true;
    bool FChanged = false;
};

// The full path a relative name stands for, as error messages show it.
std::string IniFullPath(const std::string& AFileName);

} // namespace qn
