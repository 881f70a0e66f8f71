#pragma once
// The file name proposed for a report: today's date with the regional date
// separator, a blank and the controller's device name, without extension.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// The separator of a regional short date format such as "dd.MM.yyyy": its
// first character that is no letter, blank or quote. A separator that cannot
// stand in a file name ('/' would make folders of the date), or none, gives '-'.
char DateSeparator(std::string_view shortDateFormat);

// "yyyy" sep "mm" sep "dd" " " DevName, e.g. "2019-08-29 K05_01234".
std::string ProposedRapName(char separator, std::chrono::year_month_day date, uint32_t controllerId);

// The path with ".txt" appended unless its file name ends in an extension:
// a dot followed by letters and digits only. With a dot as date separator
// the proposed name "2019.08.29 K05_01234" has none.
std::string WithRapExtension(std::string_view path);

}  // namespace quor
