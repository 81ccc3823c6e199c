// Termination signals in a child process: the first is a byte to read, the second ends at once.
#include "platform/termination_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Waits up to AMs for one byte on AFd; -1 when none came.
int ReadByte(int AFd, int AMs)
{
    pollfd p{AFd, POLLIN, 0};
    if (poll(&p, 1, AMs) != 1)
        return -1;
    unsigned char byte = 0;
    return read(AFd, &byte, 1) == 1 ? byte : -1;
}

// The child catches the signals, tells the parent it is ready and then each signal it took from
// the descriptor, and otherwise waits (up to ten seconds) without ending on its own.
pid_t StartChild(int& AReports)
{
    int reports[2];
    if (pipe(reports) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(reports[0]);
        const int fd = qn::InstallTerminationSignals();
        const unsigned char ready = fd >= 0 && qn::InstallTerminationSignals() == fd ? 'r' : 'x';
        [[maybe_unused]] ssize_t w = write(reports[1], &ready, 1);
        for (int i = 0; i < 100; ++i) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 100) == 1) {
                const unsigned char got = static_cast<unsigned char>(qn::TakeTerminationSignal(fd));
                w = write(reports[1], &got, 1);
                // Nothing more waits: the next take finds none.
                const unsigned char none = static_cast<unsigned char>(qn::TakeTerminationSignal(fd));
                w = write(reports[1], &none, 1);
            }
        }
        _exit(0);
    }
    close(reports[1]);
    AReports = reports[0];
    return child;
}

TEST(TerminationSignals, TheFirstIsAByteForTheEventLoopAndTheSecondEndsAtOnce)
{
    for (int first : {SIGTERM, SIGHUP, SIGINT}) {
        int reports = -1;
        const pid_t child = StartChild(reports);
        ASSERT_GT(child, 0);
        ASSERT_EQ(ReadByte(reports, 5000), 'r');
        kill(child, first);
        EXPECT_EQ(ReadByte(reports, 5000), first);
        EXPECT_EQ(ReadByte(reports, 5000), 0);
        // Still running: the first request is the program's to carry out.
        EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0);
        kill(child, SIGTERM);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "status " << status;
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), SIGTERM);
        }
        close(reports);
    }
}

TEST(TerminationSignals, NoDescriptorMeansNothingToTake)
{
    EXPECT_EQ(qn::TakeTerminationSignal(-1), 0);
}

} // namespace
