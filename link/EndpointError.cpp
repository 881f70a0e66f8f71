#include "link/EndpointError.h"

#include <cerrno>

namespace quor {

namespace {

std::string EnglishWhat(NetStep step, const std::string& subject)
{
    switch (step) {
    case NetStep::Socket:
        return "UDP socket";
    case NetStep::Interface:
        return "UDP interface " + subject;
    case NetStep::Bind:
        return "UDP port " + subject;
    case NetStep::Send:
        return "UDP send to " + subject;
    case NetStep::Receive:
        return "UDP receive";
    case NetStep::Address:
        return "UDP address " + subject;
    }
    return "UDP";
}

// The reasons an installer meets on a site, in Polish; any other keeps the
// system's own words.
std::string PolishReason(const std::error_code& code)
{
    if (code.category() != std::generic_category() && code.category() != std::system_category()) {
        return code.message();
    }
    switch (code.value()) {
    case EADDRINUSE:
        return "Adres lub port jest już zajęty.";
    case ENETUNREACH:
        return "Sieć jest nieosiągalna: brak do niej trasy.";
    case EHOSTUNREACH:
        return "Adres jest nieosiągalny: brak do niego trasy.";
    case ENETDOWN:
        return "Interfejs sieciowy jest wyłączony.";
    case EACCES:
        return "Brak uprawnień.";
    case EPERM:
        return "Operacja niedozwolona; może ją blokować zapora sieciowa.";
    case ENODEV:
        return "Nie ma takiego interfejsu sieciowego.";
    case ENOBUFS:
        return "Brak wolnych buforów sieciowych; spróbuj ponownie.";
    }
    return code.message();
}

}  // namespace

EndpointError::EndpointError(NetStep step, std::error_code code, std::string subject)
    : std::system_error(code, EnglishWhat(step, subject)), Step(step), Subject(std::move(subject))
{
}

std::string PolishText(const EndpointError& e)
{
    const std::string reason = PolishReason(e.code());
    switch (e.Step) {
    case NetStep::Socket:
        return "Błąd sieci: nie można utworzyć gniazda UDP.\n\n" + reason;
    case NetStep::Interface:
        return "Błąd sieci: nie można użyć interfejsu " + e.Subject + ".\n\n" + reason;
    case NetStep::Bind: {
        std::string text = "Błąd sieci: nie można otworzyć portu UDP " + e.Subject + ".\n\n" + reason;
        if (e.code() == std::errc::address_in_use) {
            text += "\n\nPort " + e.Subject + " zajmuje inny program, np. druga kopia quorConfig.";
        }
        return text;
    }
    case NetStep::Send:
        return "Błąd sieci przy wysyłaniu do " + e.Subject + ".\n\n" + reason;
    case NetStep::Receive:
        return "Błąd sieci przy odbiorze.\n\n" + reason;
    case NetStep::Address:
        return "Błędny adres IP: " + e.Subject + ".";
    }
    return "Błąd sieci.\n\n" + reason;
}

std::string PolishText(const std::exception& e)
{
    if (const auto* endpoint = dynamic_cast<const EndpointError*>(&e)) {
        return PolishText(*endpoint);
    }
    return e.what();
}

}  // namespace quor
