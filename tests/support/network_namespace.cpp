// Private network namespaces for the kernel tests: forked children, or the calling thread.
#include "support/network_namespace.h"

#ifdef QN_TEST_LINUX_NETLINK
#include "platform/linux/netlink.h"
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qn::test {

namespace {

constexpr int SkipStatus = 77;
int GReasonFd = -1;

} // namespace

void SkipInNamespace(const std::string& AReason)
{
    if (GReasonFd >= 0 && write(GReasonFd, AReason.data(), AReason.size()) < 0) {
        // The parent then skips without a reason.
    }
    std::fflush(nullptr);
    _exit(SkipStatus);
}

int Shell(const std::string& ACommand)
{
    const int status = std::system((ACommand + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

// Enters the new namespaces AFlags name and brings "lo" up; returns why it could not, or nothing.
std::string Unshare(int AFlags)
{
    if (unshare(AFlags) != 0)
        return std::string("cannot create a network namespace: ") + std::strerror(errno);
    // Remount sysfs privately so that /sys/class/net lists this namespace's links.
    if ((AFlags & CLONE_NEWNS) && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        mount("sysfs", "/sys", "sysfs", 0, nullptr);
    if (Shell("ip link set lo up") != 0)
        return "the ip command (iproute2) is missing or cannot configure links";
#ifdef QN_TEST_LINUX_NETLINK
    // A netlink socket keeps speaking to the namespace it was opened in: the one this thread opened
    // before (an earlier test in the same process, or the parent of a fork) is opened again here.
    if (nl::TNetlinkSocket* socket = nl::ThreadSocket())
        socket->Close();
#endif
    return {};
}

} // namespace

void Build(const std::string& ACommand)
{
    ASSERT_EQ(Shell(ACommand), 0) << ACommand;
}

std::string EnterNetworkNamespace()
{
    if (geteuid() != 0)
        return "needs root to create a private network namespace";
    return Unshare(CLONE_NEWNET);
}

bool WaitUntilUp(const std::vector<std::string>& ALinks)
{
    for (int i = 0; i < 200; ++i) {
        bool up = true;
        for (const std::string& link : ALinks)
            up = up && Shell("ip link show " + link + " | grep -q 'state UP'") == 0;
        if (up) {
            // The kernel's report follows the state by a moment.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool AddVethPair(const std::string& AName, const std::string& APeer, bool AUp)
{
    if (Shell("ip link add " + AName + " type veth peer name " + APeer) != 0)
        return false;
    if (!AUp)
        return true;
    if (Shell("ip link set " + AName + " up && ip link set " + APeer + " up") != 0)
        return false;
    WaitUntilUp({AName, APeer});
    return true;
}

void RunInNetworkNamespace(const std::function<void()>& ABody)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to create a private network namespace";
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0) {
        close(pipeFds[0]);
        GReasonFd = pipeFds[1];
        if (const std::string reason = Unshare(CLONE_NEWNET | CLONE_NEWNS); !reason.empty())
            SkipInNamespace(reason);
        try {
            ABody();
        } catch (const std::exception& error) {
            ADD_FAILURE() << "exception: " << error.what();
        }
        std::fflush(nullptr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    close(pipeFds[1]);
    std::string reason;
    char buffer[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof(buffer))) > 0)
        reason.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == SkipStatus)
        GTEST_SKIP() << reason;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the namespace child failed (status " << status << "); see its messages above";
}

std::size_t SendFrames(const std::string& AFrom, const std::uint8_t (&ATo)[6], int ACount, std::size_t APayload)
{
    // Until the carrier is on, a link's queue drops every frame while the send reports success;
    // the carrier follows "ip link set up" by up to a second. Loopback has no carrier to wait for.
    if (AFrom != "lo" && !WaitUntilUp({AFrom}))
        return 0;
    const int fd = socket(AF_PACKET, SOCK_RAW, 0);
    if (fd < 0)
        return 0;
    sockaddr_ll address{};
    address.sll_family = AF_PACKET;
    address.sll_ifindex = static_cast<int>(if_nametoindex(AFrom.c_str()));
    address.sll_halen = 6;
    std::memcpy(address.sll_addr, ATo, 6);
    std::vector<std::uint8_t> frame(ETH_HLEN + APayload, 0x5a);
    std::memcpy(frame.data(), ATo, 6);
    const std::uint8_t source[6] = {0x02, 0, 0, 0, 0, 0xa0};
    std::memcpy(frame.data() + 6, source, 6);
    frame[12] = 0x88; // local experimental ethertype
    frame[13] = 0xb5;
    std::size_t sent = 0;
    for (int i = 0; i < ACount; ++i) {
        const ssize_t n =
            sendto(fd, frame.data(), frame.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        if (n > 0)
            sent += static_cast<std::size_t>(n);
    }
    close(fd);
    return sent;
}

} // namespace qn::test
