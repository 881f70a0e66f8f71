#include "sheets/EditTexts.h"

#include "link/Udpdev.h"

namespace quor {

namespace {

std::string Dropped(uint32_t id, const std::string& why)
{
    return "Niezapisane zmiany konfiguracji " + DevName(id) + " zostały odrzucone: " + why +
           ". Pokazano konfigurację odczytaną teraz.";
}

}  // namespace

std::string UnsavedEditsQuestion(uint32_t id)
{
    return "Niezapisane zmiany konfiguracji " + DevName(id) + " zostaną utracone. Kontynuować?";
}

std::string EditsDroppedChangedText(uint32_t id, std::string_view modeAway)
{
    return Dropped(id, "gdy kontroler był w trybie " + std::string(modeAway) +
                           ", jego konfiguracja została zmieniona");
}

std::string EditsDroppedShapeText(uint32_t id)
{
    return Dropped(id, "kontroler ma teraz inny rodzaj lub liczbę przejść");
}

}  // namespace quor
