// Failures of the endpoint itself: the English line quorctl prints, the
// Polish text the window shows, and the port named when it is taken.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "link/EndpointError.h"
#include "link/UdpEndpoint.h"

namespace quor {
namespace {

struct TextCase {
    NetStep Step;
    std::errc Code;
    const char* Subject;
    const char* English;
    const char* Polish;
};

class EndpointTexts : public testing::TestWithParam<TextCase> {};

TEST_P(EndpointTexts, EnglishAndPolish)
{
    const TextCase& c = GetParam();
    const EndpointError e(c.Step, std::make_error_code(c.Code), c.Subject);
    EXPECT_STREQ(e.what(), c.English);
    EXPECT_EQ(PolishText(e), c.Polish);
    // Seen as any exception, as the window's handlers catch it.
    const std::exception& any = e;
    EXPECT_EQ(PolishText(any), c.Polish);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EndpointTexts,
    testing::Values(
        TextCase{NetStep::Send, std::errc::network_unreachable, "10.45.0.10",
                 "UDP send to 10.45.0.10: Network is unreachable",
                 "Błąd sieci przy wysyłaniu do 10.45.0.10.\n\nSieć jest nieosiągalna: brak do niej trasy."},
        TextCase{NetStep::Send, std::errc::host_unreachable, "10.46.1.11",
                 "UDP send to 10.46.1.11: No route to host",
                 "Błąd sieci przy wysyłaniu do 10.46.1.11.\n\nAdres jest nieosiągalny: brak do niego trasy."},
        TextCase{NetStep::Send, std::errc::network_down, "10.45.0.10",
                 "UDP send to 10.45.0.10: Network is down",
                 "Błąd sieci przy wysyłaniu do 10.45.0.10.\n\nInterfejs sieciowy jest wyłączony."},
        TextCase{NetStep::Send, std::errc::operation_not_permitted, "10.45.0.10",
                 "UDP send to 10.45.0.10: Operation not permitted",
                 "Błąd sieci przy wysyłaniu do 10.45.0.10.\n\n"
                 "Operacja niedozwolona; może ją blokować zapora sieciowa."},
        TextCase{NetStep::Send, std::errc::no_buffer_space, "10.45.0.10",
                 "UDP send to 10.45.0.10: No buffer space available",
                 "Błąd sieci przy wysyłaniu do 10.45.0.10.\n\n"
                 "Brak wolnych buforów sieciowych; spróbuj ponownie."},
        TextCase{NetStep::Bind, std::errc::address_in_use, "45389", "UDP port 45389: Address already in use",
                 "Błąd sieci: nie można otworzyć portu UDP 45389.\n\nAdres lub port jest już zajęty.\n\n"
                 "Port 45389 zajmuje inny program, np. druga kopia quorConfig."},
        TextCase{NetStep::Bind, std::errc::permission_denied, "45389", "UDP port 45389: Permission denied",
                 "Błąd sieci: nie można otworzyć portu UDP 45389.\n\nBrak uprawnień."},
        TextCase{NetStep::Interface, std::errc::no_such_device, "enp3s0",
                 "UDP interface enp3s0: No such device",
                 "Błąd sieci: nie można użyć interfejsu enp3s0.\n\nNie ma takiego interfejsu sieciowego."},
        // Failures a site hardly meets keep the system's words.
        TextCase{NetStep::Receive, std::errc::connection_refused, "", "UDP receive: Connection refused",
                 "Błąd sieci przy odbiorze.\n\nConnection refused"},
        TextCase{NetStep::Socket, std::errc::too_many_files_open, "", "UDP socket: Too many open files",
                 "Błąd sieci: nie można utworzyć gniazda UDP.\n\nToo many open files"},
        TextCase{NetStep::Address, std::errc::invalid_argument, "10.45.0",
                 "UDP address 10.45.0: Invalid argument", "Błędny adres IP: 10.45.0."}));

TEST(EndpointError, OtherExceptionsKeepTheirMessage)
{
    const std::runtime_error e("cannot write /x: No such file or directory");
    EXPECT_EQ(PolishText(e), "cannot write /x: No such file or directory");
}

// A loopback socket holds a port, as another program would; the endpoint's
// message names that port. Nothing is sent.
TEST(EndpointError, PortTakenNamesThePort)
{
    const int holder = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(holder, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof local;
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    ASSERT_EQ(getsockname(holder, reinterpret_cast<sockaddr*>(&local), &len), 0);
    const uint16_t port = ntohs(local.sin_port);

    UdpEndpoint endpoint(port);
    std::array<uint8_t, 16> buf{};
    try {
        endpoint.Receive(buf, 0);
        ADD_FAILURE() << "port " << port << " was bound twice";
    } catch (const EndpointError& e) {
        const std::string p = std::to_string(port);
        EXPECT_EQ(e.Step, NetStep::Bind);
        EXPECT_EQ(std::string(e.what()), "UDP port " + p + ": Address already in use");
        EXPECT_EQ(PolishText(e), "Błąd sieci: nie można otworzyć portu UDP " + p +
                                     ".\n\nAdres lub port jest już zajęty.\n\nPort " + p +
                                     " zajmuje inny program, np. druga kopia quorConfig.");
    }
    close(holder);
}

}  // namespace
}  // namespace quor
