// The door sheet ("Przejścia") as text.
#include <array>
#include <string_view>

#include "sheets/DoorSheet.h"
#include "sheets/NumberText.h"
#include "tools/quorctl/ConfigText.h"
#include "tools/quorctl/TextLayout.h"

namespace quor::tools {

namespace {

constexpr std::array<std::string_view, DoorOutputRows> OutputLabels = {
    "Rygiel:", "Przypomnienie:", "Alarm:", "CCTV:"};
constexpr std::array<std::string_view, DoorInputRows> InputLabels = {
    "Przycisk wyjścia:", "Czujnik otwarcia:", "Czujka alarmowa:", "Sabotaż:", "Ewakuacja:"};
constexpr std::array<std::string_view, DoorReaderRows> ReaderLabels = {"1:", "2:", "3:", "4:"};

// The widest label, "Impuls otwarcia rygla:", and a margin.
constexpr size_t Width = 24;

std::string Row(std::string_view label, const SelectorRowView& row, std::string_view ticked)
{
    std::string value = ShownItem(row.Selector);
    // The box of an empty row means nothing yet: only an assigned resource gets the mark.
    if (row.Check.Checked && ShowsResource(row.Selector))
        value += "  " + std::string(ticked);
    return Field(label, value, Width);
}

// The airlock selector's item; a stored airlock it does not offer shows as "? (Śluza n)".
std::string AirlockText(const DoorCfg& door, const DoorSheetView& view, const BusDevTable& table)
{
    if (view.AirlockIndex >= 0)
        return AirlockItems(table).at(view.AirlockIndex);
    return "? (Śluza " + std::to_string((door.Params[ParDoorFlags] & 3) + 1) + ")";
}

std::string TypeText(const DoorCfg& door, const DoorSheetView& view)
{
    if (view.TypeIndex >= 0)
        return std::string(DoorTypeNames.at(view.TypeIndex));
    return "? (" + std::to_string(door.Params[ParDoorType] & 0x0F) + ")";
}

std::string DoorText(const DoorCfgSet& cfg, int door, const DoorSheetView& view)
{
    const DoorCfg& d = cfg.Doors[door];
    std::string text = "\nPrzejście " + std::to_string(door + 1) + "\n";
    text += "  Wyjścia\n";
    for (int slot = 0; slot < DoorOutputRows; ++slot)
        text += Row(OutputLabels[slot], view.Outputs[slot], "NC");
    text += "  Wejścia\n";
    for (int slot = 0; slot < DoorInputRows; ++slot)
        text += Row(InputLabels[slot], view.Inputs[slot], "NC");
    text += "  Czytniki\n";
    for (int slot = 0; slot < DoorReaderRows; ++slot)
        text += Row(ReaderLabels[slot], view.Readers[slot], "Wyjście");
    text += Field("Śluzy:", AirlockText(d, view, *cfg.Table), Width);
    text += Field("Typ przejścia:", TypeText(d, view), Width);
    text += Field("Impuls otwarcia rygla:", view.BoltPulseText + " s", Width);
    text += Field("Dozw. czas otwarcia:", view.OpenTimeText + " s", Width);
    text += Field("Otwieranie klamką:", YesNo(view.HandleOpening), Width);
    text += Field("Pełny impuls rygla:", YesNo(view.FullBoltPulse), Width);
    return text;
}

}  // namespace

std::string DoorSheetText(const DoorCfgSet& cfg)
{
    std::string text = "Przejścia\n";
    if (TrainNumberShown(*cfg.Table))
        text += Field("Nr pociągu:", TrainNumberText(cfg.TrainNumber), Width);
    for (int door = 0; door < DoorTabCount(*cfg.Table); ++door) {
        if (const auto view = ViewDoorSheet(cfg, door))
            text += DoorText(cfg, door, *view);
    }
    return text;
}

}  // namespace quor::tools
