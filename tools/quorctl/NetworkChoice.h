#pragma once
// Whether quorctl may talk on the network it finds itself on. A search is a
// broadcast: on the machine's own network it goes out only by an interface
// the installer chose; inside a namespace of its own (the virtual LAN) the
// routes may decide.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/NetInterfaces.h"

namespace quor::tools {

// The message to refuse with, or nothing when quorctl may go on. chosen is
// the --interface name, empty when none was given; candidates are those of
// the current namespace.
std::optional<std::string> NetworkRefusal(std::string_view chosen, bool inOwnNamespace,
                                          const std::vector<NetInterface>& candidates);

}  // namespace quor::tools
