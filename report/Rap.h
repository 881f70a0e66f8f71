#pragma once
// The configuration report of a door controller: which output, input or
// reader of which bus device serves each function of each door.

#include <chrono>
#include <ostream>
#include <string_view>

#include "model/Cfgquor.h"
#include "model/Hardres.h"

namespace quor {

// The characters of the location a report keeps: what the location dialog
// takes, and where quorctl cuts the text it is given.
inline constexpr int LocationMax = 80;

// Writes the whole report as Windows-1250 text with CR LF line ends onto a
// stream opened in binary mode; every line is flushed at its line end.
// The location is already Windows-1250, each CR or LF in it is written as a
// blank; the date is the caller's today.
void WriteRap(const DoorCfgSet& cfg, const BusDevTable& table, std::ostream& out,
              std::string_view locationCp1250, std::chrono::year_month_day date);

// Writes the output, input and reader sections of one door.
void WriteRapDoor(const DoorCfg& door, std::ostream& out, const BusDevTable& table);

}  // namespace quor
