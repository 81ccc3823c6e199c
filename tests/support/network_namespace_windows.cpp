// Windows has no network namespaces: every namespace test skips with that reason, and the kernel
// side of the service is checked from Linux instead (the cross-check of quarno-netdump.exe).
#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qn::test {

namespace {

constexpr const char* NoNamespaces = "no network namespaces on Windows";

} // namespace

void RunInNetworkNamespace(const std::function<void()>&)
{
    GTEST_SKIP_(NoNamespaces);
}

void SkipInNamespace(const std::string&)
{
    std::abort(); // only reachable from a body, and bodies never run here
}

std::string EnterNetworkNamespace()
{
    return NoNamespaces;
}

int Shell(const std::string&)
{
    return -1;
}

void Build(const std::string&)
{
    ADD_FAILURE() << NoNamespaces;
}

bool AddVethPair(const std::string&, const std::string&, bool)
{
    return false;
}

bool WaitUntilUp(const std::vector<std::string>&)
{
    return false;
}

std::size_t SendFrames(const std::string&, const std::uint8_t (&)[6], int, std::size_t)
{
    return 0;
}

} // namespace qn::test
