// Forked children in private network namespaces for the kernel tests.
#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

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
        if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0)
            SkipInNamespace(std::string("cannot create a network namespace: ") + std::strerror(errno));
        // Remount sysfs privately so that /sys/class/net lists this namespace's links.
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
            mount("sysfs", "/sys", "sysfs", 0, nullptr);
        if (Shell("ip link set lo up") != 0)
            SkipInNamespace("the ip command (iproute2) is missing or cannot configure links");
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

} // namespace qn::test
