// A pinned time zone and a known date for the history tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

namespace qn::test {

// Central European time with its daylight-saving rules, written as a POSIX rule so that no time
// zone database is needed; restores the previous zone when it goes.
class TPinnedZone
{
public:
    explicit TPinnedZone(const char* AZone = "CET-1CEST,M3.5.0,M10.5.0/3")
    {
        if (const char* old = std::getenv("TZ")) {
            FOld = old;
            FHadOld = true;
        }
        setenv("TZ", AZone, 1);
        tzset();
    }
    ~TPinnedZone()
    {
        if (FHadOld)
            setenv("TZ", FOld.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TPinnedZone(const TPinnedZone&) = delete;
    TPinnedZone& operator=(const TPinnedZone&) = delete;

private:
    std::string FOld;
    bool FHadOld = false;
};

// 2026-03-23 00:00:00 CET (Monday before daylight saving starts) as Unix time.
inline constexpr std::int64_t Monday20260323 = 1774220400;

} // namespace qn::test
