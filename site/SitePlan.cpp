// Planning one controller of a site file. Each wanted field is set through
// the sheet's own edit, in the order the sheet shows its fields (the bolt
// before the door-open sensor it carries, the lift's module before its
// floor-selection input), so that c ends as the window would leave it. Then
// every reference the file moved is put to the selector it stands in, built
// by the sheet from the configuration with that one slot empty: a resource
// another slot uses is not offered, except an alarm or CCTV output that
// another door uses in the same slot.
#include "site/SitePlan.h"

#include <algorithm>

#include "model/KindConfig.h"

#include "sheets/SlotNames.h"
#include "site/PlanCheck.h"
#include "site/PlanMatch.h"
#include "site/PlanRefs.h"
#include "site/PlanValues.h"
#include "text/Printable.h"

namespace quor::site {

namespace {

class Planner {
public:
    Planner(const WantedController& wanted, Controller& c, uint32_t ownId)
        : Wanted(wanted), C(c), OwnId(ownId), Placed(PlacedFields(ViewSheet(c))),
          Before(SheetFields(c, ownId)), Held(c)
    {
    }

    ControllerPlan Plan()
    {
        // Each field of the sheet with the file's statement of it, if any.
        std::vector<const WantedField*> stated(Before.size(), nullptr);
        SheetMatch match(Before, C, Wanted.Name);
        for (const WantedField& w : Wanted.Fields) {
            if (const auto index = match.Find(w, Result.Problems))
                stated[*index] = &w;
        }
        std::vector<std::optional<WantedRef>> refs(Before.size());
        for (size_t i = 0; i < Before.size(); ++i) {
            if (stated[i])
                refs[i] = Set(i, *stated[i]);
        }
        RemarkKindConfig(C);
        for (size_t i = 0; i < Before.size(); ++i) {
            if (!refs[i])
                continue;
            if (const auto why = RefRefusal(C, Held, OwnId, i, Placed[i], *refs[i], stated[i]->Text))
                Problem(*stated[i], *why);
        }
        Changes();
        // In the order of the file, as a reader goes through it.
        std::stable_sort(Result.Problems.begin(), Result.Problems.end(),
                         [](const SiteProblem& a, const SiteProblem& b) {
                             return std::pair(a.At.Line, a.At.Column) < std::pair(b.At.Line, b.At.Column);
                         });
        return std::move(Result);
    }

private:
    void Problem(const WantedField& w, const std::string& text)
    {
        Result.Problems.push_back(
            {w.ValueAt, Wanted.Name + ": " + PathText(w.Section, w.Group, w.Label) + ": " + text});
    }

    // Sets field index as w states it, through the sheet's edit; for a
    // reference field, gives what the file wants of it.
    std::optional<WantedRef> Set(size_t index, const WantedField& w)
    {
        const SheetField& field = Before[index];
        const PlacedField& f = Placed[index];
        const bool asHeld = w.Text == FieldText(field) || (IsNone(w.Text) && field.Value.empty());
        if (f.Row->Value == FieldValue::Reference) {
            // A stated value the controller holds stays as it is, also one the
            // selector could not offer again ("? (Rd1)"); an edit made before
            // may still move it (a bolt moved away releases its sensor).
            if (asHeld)
                return WantedRef{SlotOf(Held, f), !field.Mark.empty()};
            const ResRef held = SlotOf(C, f);
            auto read = ReadRef(f, w.Text, C, Wanted.Name);
            if (const auto* why = std::get_if<std::string>(&read)) {
                Problem(w, *why);
                return std::nullopt;
            }
            const WantedRef ref = std::get<WantedRef>(read);
            // The same resource again only changes its box, as the box alone does.
            const bool same = held != NoRef && ref.Value != NoRef && SameResource(held, ref.Value);
            f.Row->Assign(C, f.Door, f.Slot, {ref.Value, ref.Marked, same});
            return ref;
        }
        if (asHeld)
            return std::nullopt;
        const auto read = ReadValue(*f.Row, w.Text, C.Table, Wanted.Name);
        if (const auto* why = std::get_if<std::string>(&read))
            Problem(w, *why);
        else
            f.Row->Set(C, f.Door, f.Slot, std::get<FieldInput>(read));
        return std::nullopt;
    }

    // Compares the fields before and after by what they hold, not by the
    // lockers' derived mark.
    static std::string HeldKey(const SheetField& f)
    {
        std::string key = f.Key;
        if (f.Mark == "!" && key.ends_with("|!"))
            key.resize(key.size() - 1);
        return key;
    }

    void Changes()
    {
        const std::vector<SheetField> after = SheetFields(C, OwnId);
        for (size_t i = 0; i < after.size() && i < Before.size(); ++i) {
            if (HeldKey(Before[i]) != HeldKey(after[i]))
                Result.Changes.push_back({after[i].Section, after[i].Group, after[i].Label,
                                          FieldText(Before[i]), FieldText(after[i])});
        }
    }

    const WantedController& Wanted;
    Controller& C;
    const uint32_t OwnId;
    const std::vector<PlacedField> Placed;  // where each field of Before stands
    const std::vector<SheetField> Before;
    Controller Held;  // as read, before the file's edits
    ControllerPlan Result;
};

}  // namespace

std::string ChangeText(std::string_view controller, const FieldChange& change)
{
    return Printable(std::string(controller) + ": " + PathText(change.Section, change.Group, change.Label) +
                     ": " + change.From + " -> " + change.To);
}

ControllerPlan PlanController(const WantedController& wanted, Controller& c, uint32_t ownId)
{
    return Planner(wanted, c, ownId).Plan();
}

}  // namespace quor::site
