#pragma once
// Comparing two configurations, each from a controller or a backup file,
// slot by slot in the sheets' words.

#include <string>
#include <vector>

#include "site/Backup.h"

namespace quor::site {

// One line per difference, "where: first -> second", in the order of the
// first's sheet, then what only the second holds, then the slots and bits no
// control shows. References compare by the device they name, never by its
// entry; each controller's own entry compares as the other's.
std::vector<std::string> DiffLines(const Backup& first, const Backup& second);

}  // namespace quor::site
