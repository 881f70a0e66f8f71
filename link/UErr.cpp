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

std::string UErr::Text() const
{
    std::string text;
    if (Dev) {
        text = DevName(Dev->Id) + ", tryb: " + Dev->ModeName();
    }
    text += ".\n\nBłąd nr " + std::to_string(Code);
    if (Cmd != 0) {
        text += " (r.'";
        text += static_cast<char>(Cmd);
        text += "')";
    }
    text += ": ";
    text += ErrorMessage(Code);
    text += '\n';
    return text;
}

}  // namespace quor
