// The lift sheet ("Winda") and the lockers sheet ("Szafki") as text.
#include <array>
#include <cstdio>
#include <string_view>

#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"
#include "tools/quorctl/ConfigText.h"
#include "tools/quorctl/TextLayout.h"

namespace quor::tools {

namespace {

constexpr std::array<std::string_view, 4> ReaderLabels = {"1:", "2:", "3:", "4:"};

// The widest labels: "Czas odblokowania przycisków:" and "Długość impulsu otwarcia szafki:".
constexpr size_t LiftWidth = 30;
constexpr size_t LockersWidth = 33;

std::string InputRow(std::string_view label, const SelectorRowView& row, size_t width)
{
    std::string value = ShownItem(row.Selector);
    if (row.Check.Checked && ShowsResource(row.Selector))
        value += "  NC";
    return Field(label, value, width);
}

std::string ReaderRows(const std::array<SelectorView, 4>& readers, size_t width)
{
    std::string text = "  Czytniki\n";
    for (size_t slot = 0; slot < readers.size(); ++slot)
        text += Field(ReaderLabels[slot], ShownItem(readers[slot]), width);
    return text;
}

// A locker number right-aligned as its edit shows it; "!" after it when the edit is yellow.
std::string NumberCell(const std::string& number, bool invalid)
{
    return PadLeft(number, 5) + (invalid ? "!" : "");
}

std::string ModuleRows(const LockersSheetView& view)
{
    std::string text = "  " + PadRight("Moduł", 14) + PadLeft("Od:", 5) + " " + PadLeft("Do:", 5) + "\n";
    for (int row = 0; row < LockerModules; ++row) {
        char digit[4];
        std::snprintf(digit, sizeof digit, "%X", row);
        std::string line = "  " + std::string(digit) + "  " + PadRight(ShownItem(view.Modules[row]), 11) +
                           PadRight(NumberCell(view.FirstTexts[row], view.Invalid.FirstInvalid[row]), 6) +
                           NumberCell(view.LastTexts[row], view.Invalid.LastInvalid[row]);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

}  // namespace

std::string LiftSheetText(const OutSetCfg& cfg)
{
    const auto view = ViewLiftSheet(cfg);
    if (!view)
        return {};
    std::string text = "Winda\n";
    text += Field("quor-L8:", ShownItem(view->Module), LiftWidth);
    text += InputRow("Wybór piętra:", view->Floor, LiftWidth);
    text += InputRow("Sabotaż:", view->Tamper, LiftWidth);
    text += ReaderRows(view->Readers, LiftWidth);
    text += Field("Czas odblokowania przycisków:", view->PulseText + " s", LiftWidth);
    return text;
}

std::string LockersSheetText(const OutSetCfg& cfg)
{
    const auto view = ViewLockersSheet(cfg);
    if (!view)
        return {};
    std::string text = "Szafki\n";
    text += Field("Nazwa pomieszczenia:", view->RoomName, LockersWidth);
    text += ModuleRows(*view);
    text += InputRow("Czujka Alarmowa:", view->Alarm, LockersWidth);
    text += InputRow("Sabotaż:", view->Tamper, LockersWidth);
    text += ReaderRows(view->Readers, LockersWidth);
    text += Field("Długość impulsu otwarcia szafki:", view->PulseText + " s", LockersWidth);
    text += Field("Test od szafki nr:", view->TestStartText, LockersWidth);
    return text;
}

}  // namespace quor::tools
