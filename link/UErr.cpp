#include "link/UErr.h"

#include "link/Udpdev.h"

namespace quor {

const char* ErrorMessage(int code)
{
    switch (code) {
    case 1: return "Urządzenie nie odpowiada.";
    case 2: return "Urządzenie ma starą wersję protokołu komunikacji.";
    case 3: return "Urządzenie ma nieznaną programowi wersję protokołu komunikacji.";
    case 4:
        return "Kontroler ma obcą sesję.\n\nMożliwe przyczyny:\n - kontroler połączony z inną kopią programu,\n"
               " - kontroler pamięta sesję z poprzednim wywołaniem programu.\n"
               "W tym drugim przypadku należy poczekać około 30s.";
    case 5: return "Odmowa nawiązania sesji.";
    case 6: return "Błąd podpisu ramki.";
    case 7: return "Odpowiedź dłuższa od oczekiwanej.";
    case 8: return "Błąd odczytu danych konfiguracji.";
    case 9: return "Brak odpowiedzi na rozkaz.";
    case 10: return "Brak potwierdzenia wysłanego rozkazu.";
    case 11: return "Kontroler nie pozwala odczytać ustawień przejść.\nUstaw go w tryb 'Service'";
    default: return "Brak opisu błędu.";
    }
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
