// Whole-file reads and crash-safe whole-file replacement, for small files such as the settings file.
#pragma once

#include <string>
#include <string_view>

namespace qn {

enum class TFileReadResult
{
    Ok,
    Missing,
    NotAFile,
    Failed
};

// Reads the whole file into AText. Missing: the file (or a folder on its path) does not exist;
// NotAFile: the path names a folder, a FIFO, a device or a socket (never waited on);
// Failed: it exists but cannot be read (no access, an I/O error). AText is empty unless Ok.
TFileReadResult ReadWholeFile(const std::string& AFileName, std::string& AText);

// Replaces the file's content with AText so that at every moment the path names either the complete
// old file or the complete new one: a temporary file in the same folder is written, flushed to disk
// and renamed over the old one. A symbolic link is followed (also a dangling one) and its target
// replaced. An existing file keeps its permission bits and owner; a new one gets the umask's
// default. Refused (false) for a target that is not a regular file or that nobody may write
// (its write bits cleared), even for root. False when any step fails; the old file is then untouched and no
// temporary file is left behind. Temporary files of writers that were killed mid-write (older than a
// minute) are removed after a successful replacement.
bool ReplaceFileAtomically(const std::string& AFileName, std::string_view AText);

} // namespace qn
