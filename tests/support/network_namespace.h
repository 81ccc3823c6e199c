// Private network namespaces for the kernel tests, so that they can build interfaces freely without
// touching the machine's own.
//
// RunInNetworkNamespace runs a test body in a forked child. The child gets a fresh network namespace (only "lo",
// brought up), a private mount namespace with sysfs mounted again (so /sys/class/net shows the new namespace's links),
// and runs ABody. Failures of EXPECT/ASSERT in the body are printed by the child and fail the calling test; a body that
// calls SkipInNamespace ends the child and skips the calling test with its reason. Not root, or no
// namespaces available: the calling test is skipped with a one-line reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qn::test {

// Use as: QN_IN_NETWORK_NAMESPACE([&] { ... });
void RunInNetworkNamespace(const std::function<void()>& ABody);

// Ends the body (inside the child) and marks the calling test skipped with AReason.
[[noreturn]] void SkipInNamespace(const std::string& AReason);

// Moves the calling thread, and the threads it starts afterwards, into a fresh network namespace
// with only "lo", brought up. For fixtures that stay in the test process (a Qt application or the
// code's own threads run there). The calling thread's netlink socket is opened again in the new
// namespace, so a test binary run by hand gives each of its tests a namespace of its own, as CTest's
// process per test does. Returns why it cannot (not root, no namespaces, no iproute2), or an empty
// string.
std::string EnterNetworkNamespace();

// Runs a shell command in the namespace; returns its exit status (0 = success).
int Shell(const std::string& ACommand);

// Runs a shell command that builds the test network and fails the calling test when it fails.
void Build(const std::string& ACommand);

// Adds the veth pair AName and APeer. With AUp both ends are brought up and the call returns once
// the kernel shows both up (or after WaitUntilUp gives up): a link's carrier comes a moment later, as
// a change of its own, and must not reach a test that listens for changes. False when a command fails.
bool AddVethPair(const std::string& AName, const std::string& APeer, bool AUp = true);

// Waits (about two seconds at most) until each of ALinks shows its state as up; false if one does not.
bool WaitUntilUp(const std::vector<std::string>& ALinks);

// Sends ACount raw Ethernet frames of APayload bytes (after the header) out of the link AFrom to the
// hardware address ATo (all 0xff: broadcast); through a veth pair the other end receives them. No IP
// is involved, so nothing leaves the namespace. Waits for AFrom to be up first. Returns the bytes
// sent (0 when the socket fails or the link never comes up).
std::size_t SendFrames(const std::string& AFrom, const std::uint8_t (&ATo)[6], int ACount, std::size_t APayload);

} // namespace qn::test

#define QN_IN_NETWORK_NAMESPACE(...)                                                                                   \
    do {                                                                                                               \
        ::qn::test::RunInNetworkNamespace(__VA_ARGS__);                                                                \
        if (::testing::Test::IsSkipped())                                                                              \
            return;                                                                                                    \
    } while (false)
