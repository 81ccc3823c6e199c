// Which application, service or session a cgroup path belongs to, read from its systemd unit's name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qn {

enum class TUnitKind : std::uint8_t
{
    ukNone = 0,        // no unit (the hierarchy's root, a kernel thread, an unknown cgroup)
    ukApplication = 1, // an application's own unit: Id is its desktop ID without ".desktop"
    ukService = 2,     // a system or user service: Id is the unit's name without ".service"
    ukSession = 3,     // a login session or a terminal's scope (Id "session"): "Other programs of this session"
    ukUser = 4,        // another user's socket outside any unit: Id is the user's number
};

struct TUnitIdentity
{
    TUnitKind Kind = TUnitKind::ukNone;
    std::string Id;

    bool operator==(const TUnitIdentity&) const = default;
};

// The unit a cgroup path belongs to: its deepest component that names a unit.
//   app[-<launcher>]-<AppID>-<RANDOM>.scope and app[-<launcher>]-<AppID>[@<RANDOM>].service:
//   the application AppID (systemd escapes a dash inside it as \x2d);
//   <name>.service: the service; session-N.scope and any other scope: the session.
TUnitIdentity IdentifyCgroup(std::string_view APath);

} // namespace qn
