// The sheets' fields from the same views that the sheets and `config` show.
#include "site/SheetFields.h"

#include "link/DevId.h"
#include "model/KindConfig.h"
#include "sheets/DoorSheet.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"
#include "sheets/NumberText.h"
#include "sheets/Selectors.h"
#include "sheets/SheetWords.h"
#include "site/Formats.h"
#include "site/SlotNames.h"

namespace quor::site {

namespace {

class FieldList {
public:
    FieldList(const BusDevTable& table, uint32_t ownId) : Table(table), OwnId(ownId) {}

    void Text(const std::string& section, const std::string& group, std::string_view label, std::string value,
              std::string key = {}, std::string mark = {}, std::string shown = {})
    {
        if (key.empty())
            key = value + "|" + mark;
        if (shown.empty())
            shown = value;
        Fields.push_back(
            {section, group, std::string(label), std::move(value), std::move(mark), key, std::move(shown)});
    }

    // A selector (and the box beside it, when mark is given) showing reference r.
    void Ref(BlockId block, SlotGroup group, int slot, const SelectorView& selector, ResRef r,
             bool ticked = false, std::string_view mark = {}, std::string extraKey = {})
    {
        const SlotName name = NameOf(block, group, slot);
        const bool shows = ShowsResource(selector);
        Fields.push_back({name.Section, name.Group, name.Label, shows ? ShownItem(selector) : "",
                          shows && ticked ? std::string(mark) : "", RefKey(Table, OwnId, r) + extraKey,
                          ShownItem(selector)});
    }

    void Row(BlockId block, SlotGroup group, int slot, const SelectorRowView& row, ResRef r,
             std::string_view mark)
    {
        Ref(block, group, slot, row.Selector, r, row.Check.Checked, mark);
    }

    const BusDevTable& Table;
    const uint32_t OwnId;
    std::vector<SheetField> Fields;
};

// The airlock selector's item; a stored airlock it does not offer shows as "? (Śluza n)".
std::string AirlockText(const DoorCfg& door, const DoorSheetView& view, const BusDevTable& table)
{
    if (view.AirlockIndex >= 0)
        return AirlockItems(table).at(view.AirlockIndex);
    return "? (" + words::AirlockName((door.Params[ParDoorFlags] & 3) + 1) + ")";
}

std::string TypeText(const DoorCfg& door, const DoorSheetView& view)
{
    if (view.TypeIndex >= 0)
        return std::string(DoorTypeNames.at(view.TypeIndex));
    return "? (" + std::to_string(door.Params[ParDoorType] & 0x0F) + ")";
}

void DoorFields(const DoorCfgSet& cfg, int door, const DoorSheetView& view, FieldList& list)
{
    const DoorCfg& d = cfg.Doors[door];
    const BlockId block{BlockDoor, static_cast<uint8_t>(door)};
    const std::string section = SectionOf(block);
    const auto field = [&](std::string_view label, std::string value) {
        list.Text(section, "", label, value);
    };
    for (int slot = 0; slot < DoorOutputRows; ++slot)
        list.Row(block, SlotGroup::Outputs, slot, view.Outputs[slot], d.Outputs[slot], "NC");
    for (int slot = 0; slot < DoorInputRows; ++slot)
        list.Row(block, SlotGroup::Inputs, slot, view.Inputs[slot], d.Inputs[slot], "NC");
    for (int slot = 0; slot < DoorReaderRows; ++slot) {
        const SelectorRowView& row = view.Readers[slot];
        // The exit bit is kept whether or not a reader shows it.
        list.Ref(block, SlotGroup::Readers, slot, row.Selector, d.Readers[slot], row.Check.Checked,
                 words::ExitReader, ReaderExit(d, slot) ? "|exit" : "");
    }
    const uint8_t flags = d.Params[ParDoorFlags];
    // No airlock is no value, though the selector shows its none item.
    const std::string airlock = AirlockText(d, view, list.Table);
    list.Text(section, "", words::Airlocks, view.AirlockIndex == 0 ? "" : airlock, IdText(flags & 7), {},
              airlock);
    field(words::DoorType, TypeText(d, view));
    field(words::BoltPulse, view.BoltPulseText + " s");
    field(words::OpenTime, view.OpenTimeText + " s");
    field(words::HandleOpening, std::string(YesNo(view.HandleOpening)));
    field(words::FullBoltPulse, std::string(YesNo(view.FullBoltPulse)));
}

void DoorSheetFields(const DoorCfgSet& cfg, FieldList& list)
{
    if (TrainNumberShown(list.Table))
        list.Text(SectionOf({BlockCommon, 0}), "", words::TrainNumber, TrainNumberText(cfg.TrainNumber));
    for (int door = 0; door < DoorTabCount(list.Table); ++door) {
        if (const auto view = ViewDoorSheet(cfg, list.Table, door))
            DoorFields(cfg, door, *view, list);
    }
}

void ReaderFields(BlockId block, const OutSetCfg& cfg, const std::array<SelectorView, 4>& readers,
                  FieldList& list)
{
    for (int slot = 0; slot < static_cast<int>(readers.size()); ++slot)
        list.Ref(block, SlotGroup::Readers, slot, readers[slot], cfg.Readers[slot]);
}

void LiftSheetFields(const OutSetCfg& cfg, FieldList& list)
{
    const auto view = ViewLiftSheet(cfg, list.Table);
    if (!view)
        return;
    const BlockId block{BlockLift, 0};
    list.Ref(block, SlotGroup::OutputSets, LiftModuleSlot, view->Module, cfg.OutputSets[LiftModuleSlot]);
    list.Row(block, SlotGroup::Inputs, LiftFloorInput, view->Floor, cfg.Inputs[LiftFloorInput], "NC");
    list.Row(block, SlotGroup::Inputs, LiftTamperInput, view->Tamper, cfg.Inputs[LiftTamperInput], "NC");
    ReaderFields(block, cfg, view->Readers, list);
    list.Text(SectionOf(block), "", words::ButtonRelease, view->PulseText + " s");
}

void LockersSheetFields(const OutSetCfg& cfg, FieldList& list)
{
    const auto view = ViewLockersSheet(cfg, list.Table);
    if (!view)
        return;
    const BlockId block{BlockLockers, 0};
    const std::string section = SectionOf(block);
    // The name's bytes, not its text: bytes the code page leaves undefined all read as U+FFFD.
    const std::string name = cfg.RoomName();
    list.Text(section, "", words::RoomName, view->RoomName,
              HexText(std::span(reinterpret_cast<const uint8_t*>(name.data()), name.size())));
    for (int row = 0; row < LockerModules; ++row) {
        list.Ref(block, SlotGroup::OutputSets, row, view->Modules[row], cfg.OutputSets[row]);
        list.Text(section, words::ModuleRow(row), words::FirstLocker, view->FirstTexts[row], {},
                  view->Invalid.FirstInvalid[row] ? "!" : "");
        list.Text(section, words::ModuleRow(row), words::LastLocker, view->LastTexts[row], {},
                  view->Invalid.LastInvalid[row] ? "!" : "");
    }
    list.Row(block, SlotGroup::Inputs, LockersAlarmInput, view->Alarm, cfg.Inputs[LockersAlarmInput], "NC");
    list.Row(block, SlotGroup::Inputs, LockersTamperInput, view->Tamper, cfg.Inputs[LockersTamperInput],
             "NC");
    ReaderFields(block, cfg, view->Readers, list);
    list.Text(section, "", words::LockerPulse, view->PulseText + " s");
    list.Text(section, "", words::TestStart, view->TestStartText);
}

}  // namespace

std::vector<SheetField> SheetFields(const Controller& c, uint32_t ownId)
{
    FieldList list(c.Table, ownId);
    switch (c.Table.Kind) {
    case KindDoors:
        DoorSheetFields(c.Doors, list);
        break;
    case KindLift:
        LiftSheetFields(c.Lift, list);
        break;
    case KindLockers:
        LockersSheetFields(c.Lockers, list);
        break;
    default:
        break;
    }
    return std::move(list.Fields);
}

std::string RefKey(const BusDevTable& table, uint32_t ownId, ResRef r)
{
    if (r == NoRef)
        return "none";
    // A reference with bit 15 set names no entry: it compares as its whole value.
    if (!RefNamesEntry(r))
        return IdText(r);
    const int e = RefEntry(r);
    std::string who = "entry " + std::to_string(e);
    if (e < table.DevCount && table.Dev[e].Present()) {
        const uint32_t id = table.Dev[e].Id;
        who = DevId(id).SameDevice(DevId(ownId)) ? "self" : IdText(DevId(id).OrderKey());
    }
    return who + "/" + IdText(r & 0x80FF);
}

}  // namespace quor::site
