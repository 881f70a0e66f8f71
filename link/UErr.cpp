#include "link/UErr.h"

#include "link/Udpdev.h"

namespace quor {

const char* ErrorMessage(int code)
{
    static constexpr const char* Messages[] = {
        "Brak opisu błędu.",
        "Urządzenie nie odpowiada.",
        "Urządzenie ma starą wersję protokołu komunikacji.",
        "Urządzenie ma nieznaną programowi wersję protokołu komunikacji.",
        "Kontroler ma obcą sesję.\n"
        "\n"
        "Możliwe przyczyny:\n"
        " - kontroler połączony z inną kopią programu,\n"
        " - kontroler pamięta sesję z poprzednim wywołaniem programu.\n"
        "W tym drugim przypadku należy poczekać około 30s.",
        "Odmowa nawiązania sesji.",
        "Błąd podpisu ramki.",
        "Odpowiedź dłuższa od oczekiwanej.",
        "Błąd odczytu danych konfiguracji.",
        "Brak odpowiedzi na rozkaz.",
        "Brak potwierdzenia wysłanego rozkazu.",
        "Kontroler nie pozwala odczytać ustawień przejść.\nUstaw go w tryb 'Service'",
    };
    const bool known = code >= ErrNoAnswer && code <= ErrModeRefuses;
    return Messages[known ? code : 0];
}

namespace {

std::optional<ErrDevice> Named(const UdpDev* dev)
{
    if (dev == nullptr)
        return std::nullopt;
    return ErrDevice{dev->Id, dev->ModeName()};
}

std::string ErrText(const std::optional<ErrDevice>& dev, int32_t code, uint8_t cmd)
{
    std::string text;
    if (dev) {
        text = DevName(dev->Id) + ", tryb: " + dev->ModeName;
    }
    text += ".\n\nBłąd nr " + std::to_string(code);
    if (cmd != 0) {
        text += " (r.'";
        text += static_cast<char>(cmd);
        text += "')";
    }
    text += ": ";
    text += ErrorMessage(code);
    text += '\n';
    return text;
}

}  // namespace

UErr::UErr(const UdpDev* dev, int32_t code, uint8_t cmd)
    : std::runtime_error(ErrText(Named(dev), code, cmd)), Dev(Named(dev)), Code(code), Cmd(cmd)
{
}

}  // namespace quor
