// A file descriptor with one owner: closed when the owner ends or takes another.
#pragma once

#include <unistd.h>
#include <utility>

namespace qn {

class TUniqueFd
{
public:
    TUniqueFd() = default;
    explicit TUniqueFd(int AFd) : FFd(AFd) {}
    ~TUniqueFd() { Reset(); }
    TUniqueFd(TUniqueFd&& AOther) noexcept : FFd(AOther.Release()) {}
    TUniqueFd& operator=(TUniqueFd&& AOther) noexcept
    {
        if (this != &AOther)
            Reset(AOther.Release());
        return *this;
    }
    TUniqueFd(const TUniqueFd&) = delete;
    TUniqueFd& operator=(const TUniqueFd&) = delete;

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    // Gives the descriptor up without closing it.
    int Release() { return std::exchange(FFd, -1); }
    // Closes the descriptor held, then holds AFd (-1: none).
    void Reset(int AFd = -1)
    {
        if (FFd >= 0)
            ::close(FFd);
        FFd = AFd;
    }

private:
    int FFd = -1;
};

} // namespace qn
