#include "sheets/ControllerKinds.h"

#include "model/Cfgquor.h"
#include "sheets/SheetWords.h"

namespace quor {

namespace {

struct KindNames {
    int32_t Kind;
    std::string_view Sheet;
    std::string_view Key;
    std::string_view Called;
};

constexpr KindNames Kinds[] = {
    {KindDoors, words::Doors, "doors", "a door controller"},
    {KindLift, words::Lift, "lift", "a lift controller"},
    {KindLockers, words::Lockers, "lockers", "a lockers controller"},
};

const KindNames* NamesOf(int32_t kind)
{
    for (const KindNames& k : Kinds) {
        if (k.Kind == kind)
            return &k;
    }
    return nullptr;
}

}  // namespace

std::string SheetOf(int32_t kind)
{
    const KindNames* k = NamesOf(kind);
    return k ? std::string(k->Sheet) : "? (" + std::to_string(kind) + ")";
}

std::string KindKey(int32_t kind)
{
    const KindNames* k = NamesOf(kind);
    return k ? std::string(k->Key) : std::to_string(kind);
}

int32_t KindOfKey(std::string_view key)
{
    for (const KindNames& k : Kinds) {
        if (k.Key == key)
            return k.Kind;
    }
    return 0;
}

std::string KindOfController(int32_t kind)
{
    const KindNames* k = NamesOf(kind);
    return k ? std::string(k->Called) : "a controller of kind " + std::to_string(kind);
}

int32_t KindOfSection(std::string_view section)
{
    if (section.starts_with(std::string(words::Door) + " "))
        return KindDoors;
    for (const KindNames& k : Kinds) {
        if (k.Sheet == section)
            return k.Kind;
    }
    return 0;
}

}  // namespace quor
