#pragma once
// The sheets' words in one table: the section, group and label of every slot
// and field, and the names of door types and airlocks. Labels stand without
// their colon; the window's captions, the report, quorctl's text, JSON, CSV
// and diff, and the backup file all take them from here. Header only: the
// report, below the sheets, reads it too.

#include <array>
#include <string>
#include <string_view>

namespace quor::words {

// Sections: the sheets, and a door's tab.
inline constexpr std::string_view Doors = "Przejścia";  // the door sheet and its common block
inline constexpr std::string_view Door = "Przejście";   // "Przejście 1": a door's tab, numbered from 1
inline constexpr std::string_view Lift = "Winda";
inline constexpr std::string_view Lockers = "Szafki";

// A slot that names nothing, as the texts written for people spell it.
inline constexpr std::string_view NoneValue = "-----";
// The box that marks an input or an OC output normally closed.
inline constexpr std::string_view Nc = "NC";

// Group boxes.
inline constexpr std::string_view Outputs = "Wyjścia";
inline constexpr std::string_view Inputs = "Wejścia";
inline constexpr std::string_view Readers = "Czytniki";
inline constexpr std::string_view Airlocks = "Śluzy";  // the door's airlock box, also its field

// The door's slots: outputs 0 to 3, inputs 0 to 4; readers are numbered 1 to 4.
inline constexpr std::array<std::string_view, 4> DoorOutputs = {"Rygiel", "Przypomnienie", "Alarm", "CCTV"};
inline constexpr std::array<std::string_view, 5> DoorInputs = {"Przycisk wyjścia", "Czujnik otwarcia",
                                                               "Czujka alarmowa", "Sabotaż", "Ewakuacja"};
inline constexpr std::array<std::string_view, 4> ReaderNumbers = {"1", "2", "3", "4"};
// The box beside a reader that makes it the door's exit reader.
inline constexpr std::string_view ExitReader = "Wyjście";

// The door's other fields and the sheet's train number.
inline constexpr std::string_view TrainNumber = "Nr pociągu";
inline constexpr std::string_view DoorType = "Typ przejścia";
inline constexpr std::string_view BoltPulse = "Impuls otwarcia rygla";
inline constexpr std::string_view OpenTime = "Dozw. czas otwarcia";
inline constexpr std::string_view HandleOpening = "Otwieranie klamką";
inline constexpr std::string_view FullBoltPulse = "Pełny impuls rygla";

// Door types 0 to 4, as the type selector offers them.
inline constexpr std::array<std::string_view, 5> DoorTypes = {
    "Otwarte", "Normalne", "Bistabilne", "Astabilne", "Zablokowane",
};
// Airlock n of the airlock selector, from 1.
inline constexpr std::string_view Airlock = "Śluza";

// The lift sheet.
inline constexpr std::string_view LiftModule = "quor-L8";
inline constexpr std::string_view FloorChoice = "Wybór piętra";
inline constexpr std::string_view Tamper = "Sabotaż";
inline constexpr std::string_view ButtonRelease = "Czas odblokowania przycisków";

// The lockers sheet; each module row is a group of its own ("Moduł 0" to "Moduł F").
inline constexpr std::string_view RoomName = "Nazwa pomieszczenia";
inline constexpr std::string_view Module = "Moduł";
inline constexpr std::string_view FirstLocker = "Od";
inline constexpr std::string_view LastLocker = "Do";
inline constexpr std::string_view LockersAlarm = "Czujka Alarmowa";
inline constexpr std::string_view LockerPulse = "Długość impulsu otwarcia szafki";
inline constexpr std::string_view TestStart = "Test od szafki nr";

// A ticked and an empty check box as the value of a field.
inline constexpr std::string_view Yes = "tak";
inline constexpr std::string_view No = "nie";

// "Przejście 3" for door index 2.
inline std::string DoorSection(int door)
{
    return std::string(Door) + " " + std::to_string(door + 1);
}

// "Śluza 2".
inline std::string AirlockName(int airlock)
{
    return std::string(Airlock) + " " + std::to_string(airlock);
}

// The group of a locker module row: "Moduł 0" to "Moduł F".
inline std::string ModuleRow(int row)
{
    return std::string(Module) + " " + "0123456789ABCDEF"[row & 0xF];
}

}  // namespace quor::words
