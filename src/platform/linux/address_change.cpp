// Events and address-change requests: eventfd for the event, a netlink socket subscribed to the IPv4
// address and link groups for the request, poll to wait on both.
#include "platform/clock.h"
#include "platform/event.h"
#include "platform/ip_helper.h"

#include "platform/linux/ip_helper_linux.h"
#include "platform/linux/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <libmnl/libmnl.h>
#include <linux/rtnetlink.h>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <type_traits>
#include <unistd.h>
#include <utility>

namespace qn {

namespace {

constexpr std::uint32_t EventMagic = 0x45564E54;        // "EVNT"
constexpr std::uint32_t NotificationMagic = 0x4E4F5446; // "NOTF"

struct TEventObject;

// Owns an mnl socket. A class of its own rather than a unique_ptr: the handle records below must
// stay standard-layout, which libstdc++'s unique_ptr with a deleter is not for every compiler.
class TMnlSocket
{
public:
    TMnlSocket() = default;
    explicit TMnlSocket(mnl_socket* ASocket) : FSocket(ASocket) {}
    ~TMnlSocket() { reset(); }
    TMnlSocket(TMnlSocket&& AOther) noexcept : FSocket(std::exchange(AOther.FSocket, nullptr)) {}
    TMnlSocket& operator=(TMnlSocket&& AOther) noexcept
    {
        if (this != &AOther) {
            reset();
            FSocket = std::exchange(AOther.FSocket, nullptr);
        }
        return *this;
    }

    mnl_socket* get() const { return FSocket; }
    explicit operator bool() const { return FSocket != nullptr; }
    void reset()
    {
        if (FSocket)
            mnl_socket_close(FSocket);
        FSocket = nullptr;
    }

private:
    mnl_socket* FSocket = nullptr;
};

// The address-change request of one event. It lives inside the event, so a handle variable that
// still names it after a cancel can never point at freed memory.
struct TNotification
{
    std::uint32_t Magic = NotificationMagic;
    TEventObject* Owner = nullptr;
    TMnlSocket Socket;
    bool Armed = false;
};

struct TEventObject
{
    std::uint32_t Magic = EventMagic;
    TUniqueFd Fd;
    bool ManualReset = false;
    TNotification Notification;
};

// A handle is told apart by the magic number at its start.
static_assert(std::is_standard_layout_v<TNotification> && std::is_standard_layout_v<TEventObject>);

TMnlSocket OpenChangeSocket(int AFlags)
{
    TMnlSocket socket(mnl_socket_open2(NETLINK_ROUTE, SOCK_CLOEXEC | AFlags));
    if (socket && mnl_socket_bind(socket.get(), RTMGRP_IPV4_IFADDR | RTMGRP_LINK, MNL_SOCKET_AUTOPID) < 0)
        socket.reset();
    return socket;
}

// Reads every queued message; true when there was at least one (or the queue overflowed, which
// means changes were lost and counts as one).
bool DrainChanges(mnl_socket* ASocket)
{
    alignas(nlmsghdr) unsigned char buffer[8192];
    bool changed = false;
    for (;;) {
        const ssize_t n = recv(mnl_socket_get_fd(ASocket), buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n > 0) {
            changed = true;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == ENOBUFS) {
            changed = true;
            continue;
        }
        return changed;
    }
}

void Disarm(TNotification& ANotification)
{
    ANotification.Armed = false;
    ANotification.Socket.reset();
}

TEventObject* AsEvent(HANDLE AHandle)
{
    if (!AHandle)
        return nullptr;
    const auto magic = *static_cast<const std::uint32_t*>(AHandle);
    if (magic == EventMagic)
        return static_cast<TEventObject*>(AHandle);
    if (magic == NotificationMagic)
        return static_cast<TNotification*>(AHandle)->Owner;
    return nullptr;
}

} // namespace

HANDLE CreateEvent(bool AManualReset, bool AInitialState)
{
    const int fd = eventfd(AInitialState ? 1 : 0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0)
        return nullptr;
    auto* event = new TEventObject;
    event->Fd.Reset(fd);
    event->ManualReset = AManualReset;
    event->Notification.Owner = event;
    return event;
}

bool SetEvent(HANDLE AEvent)
{
    TEventObject* event = AsEvent(AEvent);
    if (!event)
        return false;
    const std::uint64_t one = 1;
    // A full counter (EAGAIN) is still a signalled event.
    return write(event->Fd.Get(), &one, sizeof(one)) == sizeof(one) || errno == EAGAIN;
}

bool ResetEvent(HANDLE AEvent)
{
    TEventObject* event = AsEvent(AEvent);
    if (!event)
        return false;
    std::uint64_t value = 0;
    while (read(event->Fd.Get(), &value, sizeof(value)) < 0 && errno == EINTR) {
    }
    return true;
}

DWORD WaitForSingleObject(HANDLE AHandle, DWORD AMilliseconds)
{
    TEventObject* event = AsEvent(AHandle);
    if (!event)
        return WAIT_FAILED;
    const std::int64_t deadline =
        AMilliseconds == INFINITE ? -1 : static_cast<std::int64_t>(GetTickCount64()) + AMilliseconds;
    for (;;) {
        pollfd fds[2] = {{event->Fd.Get(), POLLIN, 0}, {-1, POLLIN, 0}};
        TNotification& notification = event->Notification;
        if (notification.Armed && notification.Socket)
            fds[1].fd = mnl_socket_get_fd(notification.Socket.get());
        int timeout = -1;
        if (deadline >= 0)
            timeout =
                static_cast<int>(std::max<std::int64_t>(0, deadline - static_cast<std::int64_t>(GetTickCount64())));
        const int ready = poll(fds, 2, timeout);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return WAIT_FAILED;
        }
        if (ready == 0)
            return WAIT_TIMEOUT;
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return WAIT_FAILED;
        if (fds[0].revents & POLLIN) {
            if (event->ManualReset)
                return WAIT_OBJECT_0;
            std::uint64_t value = 0;
            if (read(event->Fd.Get(), &value, sizeof(value)) == sizeof(value))
                return WAIT_OBJECT_0;
            continue; // another waiter took the signal first
        }
        if (fds[1].revents & POLLNVAL) {
            // The request's socket was closed under the wait: the request is over.
            notification.Armed = false;
            return WAIT_FAILED;
        }
        if (fds[1].revents) {
            // The request completes once: the next NotifyAddrChange asks for the next change.
            if (DrainChanges(notification.Socket.get()) || (fds[1].revents & (POLLERR | POLLHUP))) {
                notification.Armed = false;
                if (event->ManualReset)
                    SetEvent(event);
                return WAIT_OBJECT_0;
            }
        }
    }
}

bool CloseHandle(HANDLE AHandle)
{
    if (!AHandle)
        return false;
    const auto magic = *static_cast<const std::uint32_t*>(AHandle);
    if (magic == NotificationMagic) {
        Disarm(*static_cast<TNotification*>(AHandle));
        return true;
    }
    if (magic != EventMagic)
        return false;
    auto* event = static_cast<TEventObject*>(AHandle);
    Disarm(event->Notification);
    event->Magic = 0;
    delete event;
    return true;
}

bool CancelIPChangeNotify(OVERLAPPED* AOverlapped)
{
    if (!AOverlapped)
        return false;
    TEventObject* event = AsEvent(AOverlapped->hEvent);
    if (!event || !event->Notification.Socket)
        return false;
    Disarm(event->Notification);
    return true;
}

namespace linux_ip {

DWORD NotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped)
{
    if (!overlapped) {
        // Synchronous form: block until the next change.
        const TMnlSocket socket = OpenChangeSocket(0);
        if (!socket)
            return ERROR_CAN_NOT_COMPLETE;
        alignas(nlmsghdr) unsigned char buffer[8192];
        ssize_t n;
        do {
            n = recv(mnl_socket_get_fd(socket.get()), buffer, sizeof(buffer), 0);
        } while (n < 0 && errno == EINTR);
        return n > 0 || (n < 0 && errno == ENOBUFS) ? NO_ERROR : ERROR_CAN_NOT_COMPLETE;
    }
    TEventObject* event = AsEvent(overlapped->hEvent);
    if (!Handle || !event)
        return ERROR_INVALID_PARAMETER;
    TNotification& notification = event->Notification;
    if (!notification.Socket) {
        notification.Socket = OpenChangeSocket(SOCK_NONBLOCK);
        if (!notification.Socket)
            return ERROR_CAN_NOT_COMPLETE;
    }
    // Changes that arrived since the last signal stay queued: they complete this request at once,
    // so a change made while the caller was busy with the last one is never lost.
    notification.Armed = true;
    *Handle = &notification;
    return ERROR_IO_PENDING;
}

} // namespace linux_ip

} // namespace qn
