// What the lockers sheet shows, and the edits of its text fields.
#include "sheets/LockersSheet.h"

#include "sheets/HalfSeconds.h"
#include "sheets/NumberText.h"
#include "sheets/RoomName.h"

namespace quor {

std::optional<LockersSheetView> ViewLockersSheet(const OutSetCfg& cfg, const BusDevTable& table)
{
    if (table.DoorCount == 0) {
        return std::nullopt;
    }
    LockersSheetView view;
    view.RoomName = RoomNameText(cfg.RoomName());
    RefList free;

    const auto modules = std::span<const ResRef>(free).first(table.FreeRefs(ResOutputSet, free));
    for (int i = 0; i < LockerModules; ++i) {
        view.Modules[i] = FillModuleSelector(table, cfg.OutputSets[i], modules);
        view.FirstTexts[i] = LockerNumberText(cfg.LockerFirst(i));
        view.LastTexts[i] = LockerNumberText(cfg.LockerLast(i));
    }
    view.Invalid = CheckLockerRanges(cfg);

    const auto inputs = std::span<const ResRef>(free).first(table.FreeRefs(ResInput, free));
    view.Alarm.Selector = FillResourceSelector(table, PrefixInput, cfg.Inputs[LockersAlarmInput], inputs);
    view.Alarm.Check = ShowInputNc(cfg.Inputs[LockersAlarmInput]);
    view.Tamper.Selector = FillResourceSelector(table, PrefixInput, cfg.Inputs[LockersTamperInput], inputs);
    view.Tamper.Check = ShowInputNc(cfg.Inputs[LockersTamperInput]);

    const auto readers = std::span<const ResRef>(free).first(table.FreeRefs(ResReader, free));
    for (size_t slot = 0; slot < view.Readers.size(); ++slot) {
        view.Readers[slot] = FillResourceSelector(table, PrefixReader, cfg.Readers[slot], readers);
    }
    view.PulseText = HalfSecondsText(cfg.Params[ParPulseTime]);
    view.TestStartText = std::to_string(cfg.TestStart());
    return view;
}

void StoreLockerNumber(OutSetCfg& cfg, int row, bool last, std::string_view text)
{
    if (row < 0 || row >= cfg.OutputSetCount || row >= LockerModules) {
        return;
    }
    const uint16_t number = ParseLockerNumber(text);
    if (last) {
        cfg.SetLockerLast(row, number);
    } else {
        cfg.SetLockerFirst(row, number);
    }
}

void SetTestStartText(OutSetCfg& cfg, std::string_view text)
{
    cfg.SetTestStart(ParseTestStart(text));
}

void SetRoomNameText(OutSetCfg& cfg, std::string_view utf8)
{
    cfg.SetRoomName(RoomNameBytes(utf8, cfg.RoomName()));
}

void TakeInShownLockerNumbers(OutSetCfg& cfg)
{
    for (int i = 0; i < LockerModules && i < cfg.OutputSetCount; ++i) {
        if (cfg.LockerFirst(i) >= LockerNumberLimit) {
            cfg.SetLockerFirst(i, NoLocker);
        }
        if (cfg.LockerLast(i) >= LockerNumberLimit) {
            cfg.SetLockerLast(i, NoLocker);
        }
    }
}

}  // namespace quor
