#include "site/PlanCheck.h"

#include <algorithm>

#include "model/KindConfig.h"
#include "sheets/SheetFields.h"
#include "site/PlanValues.h"
#include "site/SiteFile.h"

namespace quor::site {

namespace {

bool Is(const PlacedField& f, FieldAddress address, int slot)
{
    return f.Row->Address == address && f.Slot == slot;
}

bool OnDoor(const PlacedField& f)
{
    return f.Row->Section == FieldSection::Door;
}

bool Offers(const SelectorView& selector, ResRef r)
{
    return std::any_of(selector.Items.begin(), selector.Items.end(), [&](const SelectorItem& item) {
        return item.Value != NoRef && SameResource(item.Value, r);
    });
}

// Whether the slot's selector offers r, built by the sheet from c with that slot empty.
bool OfferedWithout(const Controller& c, const PlacedField& f, ResRef r)
{
    Controller without = c;
    SlotOf(without, f) = NoRef;
    RemarkKindConfig(without);
    const SheetView view = ViewSheet(without, f.Door);
    return Offers(*f.Row->ShowRef(view, f.Door, f.Slot).Selector, r);
}

std::string NotOffered(Controller& c, const PlacedField& f, ResRef r)
{
    const int kind = ResourceKind(*f.Row);
    const std::string item = ItemText(c.Table, kind, r);
    const std::vector<std::string> users = UsersOf(c, kind, r, &SlotOf(c, f));
    if (!users.empty())
        return item + " is used by " + Listed(users) + "; the selector offers only what no other slot uses";
    if (OnDoor(f) && Is(f, FieldAddress::Input, InOpenSensor))
        return item + " is not offered: the door-open sensor is an input of the bolt's device";
    if (c.Table.Kind == KindLift && Is(f, FieldAddress::Input, LiftFloorInput))
        return item + " is not offered: the floor-selection input is an input of the module's device";
    return item + " is not offered by the selector";
}

// What else moved a slot the file states.
std::string WhyMoved(const Controller& c, const PlacedField& f)
{
    if (OnDoor(f) && Is(f, FieldAddress::Input, InOpenSensor))
        return ": the door-open sensor is an input of the bolt's device, and moving the bolt releases it";
    if (c.Table.Kind == KindLift && Is(f, FieldAddress::Input, LiftFloorInput))
        return ": the floor-selection input is an input of the module's device, and moving the module "
               "releases it";
    if (OnDoor(f) && (Is(f, FieldAddress::Output, OutAlarm) || Is(f, FieldAddress::Output, OutCctv)))
        return ": doors sharing an output share its NC mark, and the file states it otherwise for another "
               "door";
    return {};
}

}  // namespace

std::optional<std::string> RefRefusal(Controller& c, const Controller& held, uint32_t ownId, size_t index,
                                      const PlacedField& f, const WantedRef& ref, std::string_view text)
{
    const ResRef now = SlotOf(c, f);
    const ResRef before = SlotOf(held, f);
    // What the controller held already and the sheet as read would not
    // offer either ("? (Rd1)", a double use from elsewhere) is no edit of the file's.
    if (now != NoRef && !OfferedWithout(c, f, now) &&
        !(before != NoRef && SameResource(before, now) && !OfferedWithout(held, f, now)))
        return NotOffered(c, f, now);
    const bool sameSlot = ref.Value == NoRef ? now == NoRef : now != NoRef && SameResource(now, ref.Value);
    const bool markHeld =
        OnDoor(f) && f.Row->Address == FieldAddress::Reader
            ? ref.Value == NoRef || ReaderExit(c.Doors.Doors[f.Door], f.Slot) == ref.Marked
            : f.Row->Mark.empty() || ref.Value == NoRef || ((now & RefNc) != 0) == ref.Marked;
    if (sameSlot && markHeld)
        return std::nullopt;
    const std::string holds = FieldText(SheetFields(c, ownId)[index]);
    return "the sheet would hold " + holds + ", not " + std::string(text) + WhyMoved(c, f);
}

}  // namespace quor::site
