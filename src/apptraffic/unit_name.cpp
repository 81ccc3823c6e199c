// Desktop IDs out of systemd unit names.
#include "apptraffic/unit_name.h"

#include <array>
#include <vector>

namespace qn {

namespace {

// The launchers desktops put between "app-" and the ID. An ID of their own holds a dot (reverse DNS)
// or is a single word, so a first part found here is the launcher, not the ID's start.
constexpr std::array<std::string_view, 9> Launchers = {"gnome",  "kde",  "flatpak", "dbus", "xfce",
                                                       "cosmic", "sway", "lxqt",    "snap"};

bool EndsWith(std::string_view AText, std::string_view AEnd)
{
    return AText.size() >= AEnd.size() && AText.substr(AText.size() - AEnd.size()) == AEnd;
}

// systemd's unit-name escape: "\x2d" is a dash inside a part, any "\xNN" a byte.
std::string Unescape(std::string_view AText)
{
    std::string out;
    auto hex = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] == '\\' && i + 3 < AText.size() && AText[i + 1] == 'x' && hex(AText[i + 2]) >= 0 &&
            hex(AText[i + 3]) >= 0) {
            out += static_cast<char>(hex(AText[i + 2]) * 16 + hex(AText[i + 3]));
            i += 3;
        } else {
            out += AText[i];
        }
    }
    return out;
}

std::vector<std::string_view> SplitDashes(std::string_view AText)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= AText.size(); ++i)
        if (i == AText.size() || AText[i] == '-') {
            parts.push_back(AText.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

// AParts: the unit's name after "app-" split at its dashes, the random part already removed.
std::string ApplicationId(std::vector<std::string_view> AParts)
{
    if (AParts.size() >= 2)
        for (std::string_view launcher : Launchers)
            if (AParts.front() == launcher) {
                AParts.erase(AParts.begin());
                break;
            }
    // An ID whose dashes were not escaped (older desktops) keeps them.
    std::string id;
    for (std::size_t i = 0; i < AParts.size(); ++i) {
        if (i > 0)
            id += '-';
        id += AParts[i];
    }
    return Unescape(id);
}

TUnitIdentity IdentifyUnit(std::string_view AName)
{
    const bool scope = EndsWith(AName, ".scope");
    const bool service = EndsWith(AName, ".service");
    if (!scope && !service)
        return {};
    std::string_view stem = AName.substr(0, AName.size() - (scope ? 6 : 8));
    if (stem.empty())
        return {};
    if (stem.substr(0, 4) == "app-" && stem.size() > 4) {
        stem.remove_prefix(4);
        if (service) {
            // app-<ID>@<RANDOM>.service, or a template's instance: the part before '@'.
            const std::size_t at = stem.find('@');
            if (at != std::string_view::npos)
                stem = stem.substr(0, at);
            return {TUnitKind::ukApplication, ApplicationId(SplitDashes(stem))};
        }
        std::vector<std::string_view> parts = SplitDashes(stem);
        if (parts.size() >= 2)
            parts.pop_back(); // the random part (a number or a hex string)
        return {TUnitKind::ukApplication, ApplicationId(parts)};
    }
    // session-N.scope, a terminal's tab scope, and user@1000.service (the user's own manager and
    // what it starts without a unit of its own) are one row: the session.
    if (scope || stem.substr(0, 5) == "user@")
        return {TUnitKind::ukSession, "session"};
    return {TUnitKind::ukService, Unescape(stem)};
}

} // namespace

TUnitIdentity IdentifyCgroup(std::string_view APath)
{
    // The deepest unit wins: user@1000.service/app.slice/app-firefox-42.scope is Firefox.
    TUnitIdentity found;
    std::size_t start = 0;
    while (start <= APath.size()) {
        std::size_t end = APath.find('/', start);
        if (end == std::string_view::npos)
            end = APath.size();
        const std::string_view part = APath.substr(start, end - start);
        if (!part.empty()) {
            TUnitIdentity unit = IdentifyUnit(part);
            if (unit.Kind != TUnitKind::ukNone)
                found = std::move(unit);
        }
        start = end + 1;
    }
    return found;
}

} // namespace qn
