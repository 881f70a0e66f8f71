#pragma once
// The programs that put emulated devices and probes on real sockets may talk
// only inside a network namespace of their own (the virtual LAN of tools/lan),
// never on the machine's own interfaces, except over loopback.

#include <string_view>

namespace quor::tools {

// True when this process runs in another network namespace than the
// machine's own (that of process 1), or, where process 1 cannot be looked
// at, in a namespace made by ip netns. False when that cannot be told.
bool InSeparateNetNamespace();

// True for a dotted address in 127.0.0.0/8.
bool IsLoopbackAddress(std::string_view dotted);

}  // namespace quor::tools
