// Termination signals through a self-pipe: the handler writes one byte, the event loop reads it.
#include "platform/termination_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace qn {

namespace {

int ThePipe[2] = {-1, -1};
// The signal that began the ending, 0 before one came; lock-free, so the handlers may touch it.
std::atomic<int> TheFirst{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int Caught[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnTerminationSignal(int ASignal)
{
    const int saved = errno;
    int none = 0;
    // Later requests are the same request again (a session manager sends SIGTERM and then SIGHUP):
    // the ending that runs is left to finish, under the watchdog.
    if (TheFirst.compare_exchange_strong(none, ASignal)) {
        alarm(TerminationWatchdogSeconds);
        const unsigned char byte = static_cast<unsigned char>(ASignal);
        // The pipe is non-blocking and empty: the write cannot wait.
        [[maybe_unused]] const ssize_t written = write(ThePipe[1], &byte, 1);
    }
    errno = saved;
}

extern "C" void OnWatchdog(int)
{
    // The ending hangs: end the way the first signal would have without a handler, so that whoever
    // sent it sees the process ended by it.
    const int first = TheFirst.load();
    const int ending = first != 0 ? first : SIGTERM;
    struct sigaction action
    {
    };
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(ending, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, ending);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(ending);
    _exit(128 + ending); // not reached unless the default action is to go on
}

} // namespace

int InstallTerminationSignals()
{
    if (ThePipe[0] >= 0)
        return ThePipe[0];
    if (pipe2(ThePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ThePipe[0] = ThePipe[1] = -1;
        return -1;
    }
    struct sigaction action
    {
    };
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int s : Caught)
        sigaddset(&action.sa_mask, s); // one handler at a time
    action.sa_flags = SA_RESTART;
    for (int s : Caught)
        sigaction(s, &action, nullptr);
    struct sigaction watchdog
    {
    };
    watchdog.sa_handler = OnWatchdog;
    sigemptyset(&watchdog.sa_mask);
    watchdog.sa_flags = SA_RESTART;
    sigaction(SIGALRM, &watchdog, nullptr);
    return ThePipe[0];
}

int TakeTerminationSignal(int ADescriptor)
{
    if (ADescriptor < 0)
        return 0;
    unsigned char byte = 0;
    const ssize_t got = read(ADescriptor, &byte, 1);
    return got == 1 ? byte : 0;
}

} // namespace qn
