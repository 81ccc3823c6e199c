// Runs a test body inside private network and mount namespaces, in a forked child, so that kernel
// tests can build interfaces freely without touching the machine's own.
//
// The child gets a fresh network namespace (only "lo", brought up), a private mount namespace with
// sysfs mounted again (so /sys/class/net shows the new namespace's links), and runs ABody. Failures
// of EXPECT/ASSERT in the body are printed by the child and fail the calling test; a body that
// calls SkipInNamespace ends the child and skips the calling test with its reason. Not root, or no
// namespaces available: the calling test is skipped with a one-line reason.
#pragma once

#include <functional>
#include <string>

namespace qn::test {

// Use as: QN_IN_NETWORK_NAMESPACE([&] { ... });
void RunInNetworkNamespace(const std::function<void()>& ABody);

// Ends the body (inside the child) and marks the calling test skipped with AReason.
[[noreturn]] void SkipInNamespace(const std::string& AReason);

// Runs a shell command in the namespace; returns its exit status (0 = success).
int Shell(const std::string& ACommand);

} // namespace qn::test

#define QN_IN_NETWORK_NAMESPACE(...)                                                                                   \
    do {                                                                                                               \
        ::qn::test::RunInNetworkNamespace(__VA_ARGS__);                                                                \
        if (::testing::Test::IsSkipped())                                                                              \
            return;                                                                                                    \
    } while (false)
