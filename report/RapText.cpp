#include "report/RapText.h"

#include <sstream>

#include "report/Rap.h"
#include "text/Cp1250.h"

namespace quor {

std::string RapText(const DoorCfgSet& cfg, const BusDevTable& table, std::string_view locationUtf8,
                    std::chrono::year_month_day date)
{
    std::ostringstream text;
    WriteRap(cfg, table, text, ToCp1250(ClipUtf8(locationUtf8, LocationMax)), date);
    return text.str();
}

}  // namespace quor
