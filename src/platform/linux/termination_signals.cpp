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
// Signals caught so far; lock-free, so the handler may touch it.
std::atomic<int> TheCount{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int Caught[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnTerminationSignal(int ASignal)
{
    const int saved = errno;
    if (TheCount.fetch_add(1) > 0) {
        // The second request: end now, the way the signal would without a handler.
        // The signal is blocked while its handler runs: unblocked, it is delivered at once.
        signal(ASignal, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, ASignal);
        raise(ASignal);
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        _exit(128 + ASignal); // not reached unless the default action is to go on
    }
    const unsigned char byte = static_cast<unsigned char>(ASignal);
    // The pipe is non-blocking and nearly empty: the write cannot wait, and a full pipe already
    // tells that a request is pending.
    [[maybe_unused]] const ssize_t written = write(ThePipe[1], &byte, 1);
    errno = saved;
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
        sigaddset(&action.sa_mask, s); // one handler at a time: the count decides, not a race
    action.sa_flags = SA_RESTART;
    for (int s : Caught)
        sigaction(s, &action, nullptr);
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
