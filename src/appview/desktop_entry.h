// An application's name and icon from its desktop entry in the XDG data directories.
#pragma once

#include <QIcon>
#include <QString>

#include <string>

namespace qn {

struct TDesktopEntry
{
    bool Found = false;
    QString Name; // Name= in the user's language; the ID when there is no entry
    QIcon Icon;   // Icon= through the icon theme, or the file it names; null when none
};

// Looks AId (a desktop ID without ".desktop") up through GIO, as desktops do. Cached for the life
// of the process; GUI thread only.
const TDesktopEntry& LookUpDesktopEntry(const std::string& AId);

} // namespace qn
