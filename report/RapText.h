#pragma once
// The bytes of a report file as the window and quorctl both write them, from
// the location as the installer typed it.

#include <chrono>
#include <string>
#include <string_view>

#include "model/Cfgquor.h"
#include "model/Hardres.h"

namespace quor {

// WriteRap's whole text for a location in UTF-8, cut to LocationMax
// characters and converted to Windows-1250. The caller writes it to its file
// in one piece (the window through QSaveFile, quorctl through ReplaceFile).
std::string RapText(const DoorCfgSet& cfg, const BusDevTable& table, std::string_view locationUtf8,
                    std::chrono::year_month_day date);

}  // namespace quor
