#include "site/PlanValues.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "sheets/HalfSeconds.h"
#include "sheets/NumberText.h"
#include "sheets/SheetWords.h"
#include "text/Compose.h"
#include "text/Cp1250.h"
#include "text/Printable.h"
#include "text/Utf8.h"

namespace quor::site {

namespace {

using Read = std::variant<FieldInput, std::string>;

constexpr int MaxTypedDigits = 4;  // the train number, locker numbers and the test start
constexpr int MaxWholeSeconds = MaxHalfSeconds / 2;

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

Read Digits(std::string_view called, std::string_view text)
{
    if (IsNone(text) || !TypedDigitsAllowed(text, {}, MaxTypedDigits))
        return std::string(called) + " is 0 to 9999, digits only, not " + Quoted(text);
    return FieldInput{text};
}

// The half seconds of a typed time's fraction "5", "50", "0" or none; none
// for a fraction the field would round away ("7", "55").
std::optional<int> HalfOf(std::string_view fraction)
{
    while (fraction.ends_with('0'))
        fraction.remove_suffix(1);
    if (fraction.empty())
        return 0;
    if (fraction == "5")
        return 1;
    return std::nullopt;
}

// A time as its field shows it, "2,5 s", or as typed into it, "2,5". The
// field would round "2,7" down to 2,5 s: a file stating it would never agree
// with the controller, so it is refused with the values it lies between.
Read Time(std::string_view text)
{
    std::string_view typed = text;
    if (typed.ends_with("s"))
        typed.remove_suffix(1);
    while (typed.ends_with(" "))
        typed.remove_suffix(1);
    if (typed.empty() || !TypedTimeAllowed(typed) || typed.front() == ',' || typed.front() == '.' ||
        ScanInt(typed).value_or(0) > MaxWholeSeconds)
        return "a time is 0 to 63,5 s in half seconds (\"2,5 s\"), not " + Quoted(text);
    const size_t separator = typed.find_first_of(",.");
    const std::string_view fraction = separator == typed.npos ? "" : typed.substr(separator + 1);
    if (HalfOf(fraction))
        return FieldInput{typed};
    const int below = 2 * ScanInt(typed).value_or(0) + (fraction.front() >= '5' ? 1 : 0);
    std::string nearest = HalfSecondsText(static_cast<uint8_t>(below)) + " s";
    if (below < MaxHalfSeconds)
        nearest = "are " + nearest + " and " + HalfSecondsText(static_cast<uint8_t>(below + 1)) + " s";
    else
        nearest = "is " + nearest;
    return "a time is set in half seconds: " + Quoted(text) + " is not one; the nearest " + nearest;
}

Read YesNo(std::string_view text)
{
    if (text == words::Yes || text == words::No)
        return FieldInput{{}, 0, text == words::Yes};
    return "this box is \"tak\" or \"nie\", not " + Quoted(text);
}

Read Airlock(std::string_view text, const BusDevTable& table, std::string_view controller)
{
    const std::vector<std::string> items = AirlockItems(table);
    const int index = IsNone(text) ? 0 : TypedAirlockIndex(text, items);
    if (index >= 0)
        return FieldInput{{}, index};
    if (items.size() > 1)
        return "no airlock " + Quoted(text) + "; the airlocks are " +
               Listed({items.begin() + 1, items.end()}) + " or -----";
    return "no airlock " + Quoted(text) + ": " + std::string(controller) +
           " has too few doors for an airlock";
}

Read DoorType(std::string_view text)
{
    const auto it = std::find(DoorTypeNames.begin(), DoorTypeNames.end(), text);
    if (it != DoorTypeNames.end())
        return FieldInput{{}, static_cast<int>(it - DoorTypeNames.begin())};
    return "no door type " + Quoted(text) + "; the types are " +
           Listed({DoorTypeNames.begin(), DoorTypeNames.end()});
}

// The first control character of UTF-8 text, as printed; empty for none.
std::string FirstControl(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text.substr(i));
        if (length != 0 && IsControl(Utf8Char(text.substr(i, length))))
            return Printable(text.substr(i, length));
        i += std::max<size_t>(length, 1);
    }
    return {};
}

// What Windows-1250 lacks of text: "a character", or a combining mark by its
// code when no letter of the code page composes with it.
std::string Lacking(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = std::max<size_t>(Utf8SequenceLength(text.substr(i)), 1);
        const std::string_view one = text.substr(i, length);
        if (!HoldsCp1250(one)) {
            const char32_t c = length > 1 ? Utf8Char(one) : 0;
            if (!IsCombiningMark(c))
                break;
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            return std::string("the combining mark ") + code;
        }
        i += length;
    }
    return "a character";
}

Read RoomName(std::string_view text)
{
    const std::string_view name = IsNone(text) ? std::string_view() : text;
    if (const std::string control = FirstControl(name); !control.empty())
        return "the room name holds a control character, " + control +
               ", which the sheet's field does not take";
    if (!HoldsCp1250(name))
        return "the controller keeps the room name in Windows-1250, which lacks " + Lacking(name) + " of " +
               Quoted(name);
    const size_t characters = Utf8Length(name);
    if (characters > static_cast<size_t>(RoomNameMax))
        return "the room name holds at most " + std::to_string(RoomNameMax) + " characters, not " +
               std::to_string(characters);
    return FieldInput{name};
}

}  // namespace

bool IsNone(std::string_view text)
{
    return text.empty() || text == NoneText;
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::variant<FieldInput, std::string> ReadValue(const SheetFieldRow& row, std::string_view text,
                                                const BusDevTable& table, std::string_view controller)
{
    switch (row.Value) {
    case FieldValue::Digits:
        return Digits(row.Called, text);
    case FieldValue::LockerNumber:
        return IsNone(text) ? Read(FieldInput{""}) : Digits(row.Called, text);
    case FieldValue::Time:
        return Time(text);
    case FieldValue::YesNo:
        return YesNo(text);
    case FieldValue::Airlock:
        return Airlock(text, table, controller);
    case FieldValue::DoorType:
        return DoorType(text);
    case FieldValue::RoomName:
        return RoomName(text);
    case FieldValue::Reference:
        break;
    }
    return "a reference is read by its selector's items";
}

}  // namespace quor::site
