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
    std::this_thread::sleep_for(std::chrono::microseconds(us));
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
    // The system's own receive queue stays at its default: a search is answered by
    // every device at once, and a small queue would drop most of the replies.
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
    Fd = fd;
    return Fd;
}

void UdpEndpoint::SendTo(uint32_t addr, uint16_t port, std::span<const uint8_t> data)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(addr);
    if (sendto(Socket(), data.data(), data.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
        // The address is put in words only on a failure, not for every datagram.
        const int err = errno;
        throw EndpointError(NetStep::Send, std::error_code(err, std::generic_category()), DottedText(addr));
    }
}

void UdpEndpoint::Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
{
    in_addr addr{};
    if (inet_pton(AF_INET, std::string(ip).c_str(), &addr) != 1) {
        throw EndpointError(NetStep::Address, std::make_error_code(std::errc::invalid_argument),
                            std::string(ip));
    }
    SendTo(ntohl(addr.s_addr), port, data);
}

void UdpEndpoint::Broadcast(uint16_t port, std::span<const uint8_t> data)
{
    SendTo(INADDR_BROADCAST, port, data);
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
    const ssize_t len =
        recvfrom(Fd, buf.data(), buf.size(), MSG_TRUNC, reinterpret_cast<sockaddr*>(&from), &fromLen);
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
