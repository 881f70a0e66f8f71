#include "link/UdpEndpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "link/EndpointError.h"
#include "link/Targets.h"

namespace quor {

namespace {

[[noreturn]] void ThrowSystem(NetStep step, std::string subject = {})
{
    throw EndpointError(step, std::error_code(errno, std::generic_category()), std::move(subject));
}

// Closes the socket that could not be set up and throws the error of the failed call.
[[noreturn]] void CloseAndThrow(int fd, int err, NetStep step, std::string subject)
{
    close(fd);
    throw EndpointError(step, std::error_code(err, std::generic_category()), std::move(subject));
}

std::string DottedText(uint32_t addr)
{
    return std::to_string(addr >> 24) + '.' + std::to_string(addr >> 16 & 0xFF) + '.' +
           std::to_string(addr >> 8 & 0xFF) + '.' + std::to_string(addr & 0xFF);
}

// A search's requests to addresses nobody holds wait in the system's
// neighbour queues for about 3 s, charged to the socket's send room: room for
// a pass over the most targets keeps the other addresses from being
// skipped meanwhile.
constexpr int SendRoomBytes = TargetsMost * 1024;

// Asks for a socket buffer of bytes; where the system's limit is lower, tries
// the privileged option that passes it (as root), and takes what it gets.
void SizeBuffer(int fd, int option, int forcedOption, int bytes)
{
    setsockopt(fd, SOL_SOCKET, option, &bytes, sizeof bytes);
    int got = 0;
    socklen_t len = sizeof got;
    // The system reports twice the size asked for: the other half is its bookkeeping.
    if (getsockopt(fd, SOL_SOCKET, option, &got, &len) == 0 && got / 2 < bytes) {
        setsockopt(fd, SOL_SOCKET, forcedOption, &bytes, sizeof bytes);
    }
}

bool Busy(int err)
{
    return err == EAGAIN || err == EWOULDBLOCK || err == ENOBUFS;
}

// A sleep ends late by the system's timer slack and its wake-up, tens of µs
// and more on a busy machine: only a pause this long sleeps, and not to its end.
constexpr int64_t SleepFromUs = 1000;
constexpr int64_t SleepShortOfUs = 300;

}  // namespace

int64_t SystemClock::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t SystemClock::NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::PauseUs(int64_t us)
{
    using namespace std::chrono;
    const auto until = steady_clock::now() + microseconds(us);
    if (us >= SleepFromUs) {
        std::this_thread::sleep_for(microseconds(us - SleepShortOfUs));
    }
    while (steady_clock::now() < until) {
    }
}

uint32_t SystemClock::UtcSeconds()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

UdpEndpoint::~UdpEndpoint()
{
    if (Fd >= 0) {
        close(Fd);
    }
}

int UdpEndpoint::Socket()
{
    if (Fd >= 0) {
        return Fd;
    }
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        ThrowSystem(NetStep::Socket);
    }
    const int on = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(LocalPort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!InterfaceName.empty() &&
        setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, InterfaceName.c_str(), InterfaceName.size()) < 0) {
        const int err = errno;
        CloseAndThrow(fd, err, NetStep::Interface, InterfaceName);
    }
    if (setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0 ||
        bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) < 0) {
        const int err = errno;
        // The port in the message is the one asked for, the figure an
        // installer looks for among the programs holding ports.
        CloseAndThrow(fd, err, NetStep::Bind, std::to_string(LocalPort));
    }
    SizeBuffer(fd, SO_SNDBUF, SO_SNDBUFFORCE, SendRoomBytes);
    if (ReceiveBytes > 0) {
        SizeBuffer(fd, SO_RCVBUF, SO_RCVBUFFORCE, ReceiveBytes);
    }
    Fd = fd;
    return Fd;
}

void UdpEndpoint::ReserveReceive(int bytes)
{
    if (bytes <= ReceiveBytes) {
        return;
    }
    ReceiveBytes = bytes;
    if (Fd >= 0) {
        SizeBuffer(Fd, SO_RCVBUF, SO_RCVBUFFORCE, ReceiveBytes);
    }
}

bool UdpEndpoint::SendTo(uint32_t addr, uint16_t port, std::span<const uint8_t> data, bool busyIsFalse)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(addr);
    // Never blocking: a blocking send to an address that no one holds on a
    // directly connected network waits for the system's neighbour resolution,
    // seconds, once its queue is full.
    if (sendto(Socket(), data.data(), data.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&to),
               sizeof to) < 0) {
        const int err = errno;
        if (busyIsFalse && Busy(err)) {
            return false;
        }
        // The address is put in words only on a failure, not for every datagram.
        throw EndpointError(NetStep::Send, std::error_code(err, std::generic_category()), DottedText(addr));
    }
    return true;
}

namespace {

uint32_t AddressOf(std::string_view ip)
{
    in_addr addr{};
    if (inet_pton(AF_INET, std::string(ip).c_str(), &addr) != 1) {
        throw EndpointError(NetStep::Address, std::make_error_code(std::errc::invalid_argument),
                            std::string(ip));
    }
    return ntohl(addr.s_addr);
}

}  // namespace

void UdpEndpoint::Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
{
    SendTo(AddressOf(ip), port, data, false);
}

void UdpEndpoint::Broadcast(uint16_t port, std::span<const uint8_t> data)
{
    SendTo(INADDR_BROADCAST, port, data, false);
}

bool UdpEndpoint::TrySend(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
{
    return SendTo(AddressOf(ip), port, data, true);
}

bool UdpEndpoint::TryBroadcast(uint16_t port, std::span<const uint8_t> data)
{
    return SendTo(INADDR_BROADCAST, port, data, true);
}

int UdpEndpoint::Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp)
{
    pollfd p{Socket(), POLLIN, 0};
    int ready;
    do {
        ready = poll(&p, 1, waitMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        ThrowSystem(NetStep::Receive);
    }
    if (ready == 0) {
        return 0;
    }
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t len = recvfrom(Fd, buf.data(), buf.size(), MSG_TRUNC | MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (len < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        return 0;  // announced, then dropped by the system (a bad checksum)
    }
    if (len < 0) {
        ThrowSystem(NetStep::Receive);
    }
    if (senderIp) {
        char text[INET_ADDRSTRLEN];
        *senderIp = inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    }
    // MSG_TRUNC reports the whole length; the caller sees only what fits.
    return static_cast<int>(std::min<ssize_t>(len, static_cast<ssize_t>(buf.size())));
}

}  // namespace quor
