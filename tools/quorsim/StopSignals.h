#pragma once
// SIGINT and SIGTERM end quorsim cleanly. The signals stay blocked except
// inside the wait for datagrams, so a stop can never fall between the check
// of the flag and the start of the wait.

#include <poll.h>

namespace quor::tools {

class StopSignals {
public:
    StopSignals();
    bool Requested() const;
    // poll() that also returns (with 0) when a stop signal arrives.
    int Wait(pollfd* fds, nfds_t count, int timeoutMs);
};

}  // namespace quor::tools
