// Whether the program runs from removable media, which decides where its settings live.
#pragma once

#include <string>

namespace qn {

// True when the file AExePath lies on a removable or USB-attached block device (a memory stick, a
// USB disk). Optical drives count as not portable. Never fails: anything that cannot be found out
// (a virtual file system, an unreadable sysfs) counts as not portable.
bool IsPortableDrive(const std::string& AExePath);

// The same rule for the block device AMajor:AMinor, read from the sysfs tree rooted at ASysfsRoot
// ("/sys" on a live system). Exposed so that the rule can be checked against a fake tree.
bool IsPortableBlockDevice(unsigned AMajor, unsigned AMinor, const std::string& ASysfsRoot);

} // namespace qn
