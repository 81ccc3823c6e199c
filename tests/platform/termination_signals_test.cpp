// Termination signals in a child process: the first is a byte to read, later ones do not cut the
// ending short, and an ending that hangs is ended by the watchdog as the first signal would.
#include "platform/termination_signals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

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

// The child catches the signals, tells the parent it is ready and then the signal it took from the
// descriptor, and runs its "ending": a second's work (or, with AHang, one that never ends), after
// which it tells whether another signal waits and exits with 0. Without a signal it gives up after
// ten seconds.
pid_t StartChild(int& AReports, bool AHang)
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
        // A signal interrupts the wait (poll is never restarted); the byte is then there.
        pollfd p{fd, POLLIN, 0};
        int readyCount = 0;
        for (int i = 0; i < 100 && readyCount != 1; ++i)
            readyCount = poll(&p, 1, 100);
        if (readyCount != 1)
            _exit(1);
        const unsigned char got = static_cast<unsigned char>(qn::TakeTerminationSignal(fd));
        w = write(reports[1], &got, 1);
        // The ending: signals that come meanwhile interrupt the sleep and nothing else.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (AHang || std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const unsigned char more = static_cast<unsigned char>(qn::TakeTerminationSignal(fd));
        w = write(reports[1], &more, 1);
        _exit(0);
    }
    close(reports[1]);
    AReports = reports[0];
    return child;
}

// The child's status once it ended, waiting up to ASeconds; -1 (and the child killed) if it did not.
int WaitEnded(pid_t AChild, int ASeconds)
{
    int status = 0;
    for (int i = 0; i < ASeconds * 20; ++i) {
        if (waitpid(AChild, &status, WNOHANG) == AChild)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(AChild, SIGKILL);
    waitpid(AChild, &status, 0);
    return -1;
}

// A session manager's SIGTERM and SIGHUP back to back, Ctrl+C followed by a `kill`, and so on:
// the first is the program's to carry out, and its ending runs to its end.
TEST(TerminationSignals, TheFirstIsAByteForTheEventLoopAndLaterOnesDoNotCutTheEndingShort)
{
    for (const auto& [first, second] : {std::pair{SIGTERM, SIGHUP}, {SIGINT, SIGTERM}, {SIGHUP, SIGINT}}) {
        SCOPED_TRACE(std::to_string(first) + " then " + std::to_string(second));
        int reports = -1;
        const pid_t child = StartChild(reports, false);
        ASSERT_GT(child, 0);
        ASSERT_EQ(ReadByte(reports, 5000), 'r');
        kill(child, first);
        kill(child, second);
        // Both may be pending at once, and the kernel hands the lower number over first.
        const int taken = ReadByte(reports, 5000);
        EXPECT_TRUE(taken == first || taken == second) << taken;
        EXPECT_EQ(ReadByte(reports, 5000), 0) << "the other is no new request";
        const int status = WaitEnded(child, 30);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        close(reports);
    }
}

// The ending never finishes (a stuck disk): the watchdog ends the process the way the first
// signal would have, whatever came after it. The bound below is only how long the test waits.
TEST(TerminationSignals, AnEndingThatHangsIsEndedByTheWatchdogAsTheFirstSignalWould)
{
    int reports = -1;
    const pid_t child = StartChild(reports, true);
    ASSERT_GT(child, 0);
    ASSERT_EQ(ReadByte(reports, 5000), 'r');
    kill(child, SIGTERM);
    EXPECT_EQ(ReadByte(reports, 5000), SIGTERM);
    kill(child, SIGHUP);
    kill(child, SIGINT);
    const int status = WaitEnded(child, static_cast<int>(qn::TerminationWatchdogSeconds) + 30);
    ASSERT_NE(status, -1) << "still running long after the watchdog's time";
    EXPECT_TRUE(WIFSIGNALED(status)) << "status " << status;
    if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), SIGTERM);
    }
    close(reports);
}

TEST(TerminationSignals, NoDescriptorMeansNothingToTake)
{
    EXPECT_EQ(qn::TakeTerminationSignal(-1), 0);
}

} // namespace
