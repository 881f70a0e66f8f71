#include "tools/quorsim/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <system_error>

namespace quor::tools {

namespace {

volatile sig_atomic_t StopFlag = 0;
sigset_t OpenMask;

void OnStop(int)
{
    StopFlag = 1;
}

}  // namespace

StopSignals::StopSignals()
{
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &stops, &OpenMask) != 0)
        throw std::system_error(errno, std::generic_category(), "signal mask");
    sigdelset(&OpenMask, SIGINT);
    sigdelset(&OpenMask, SIGTERM);
    struct sigaction action {};
    action.sa_handler = OnStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopSignals::Requested() const
{
    return StopFlag != 0;
}

int StopSignals::Wait(pollfd* fds, nfds_t count, int timeoutMs)
{
    timespec limit{timeoutMs / 1000, (timeoutMs % 1000) * 1'000'000L};
    const int ready = ppoll(fds, count, timeoutMs < 0 ? nullptr : &limit, &OpenMask);
    if (ready < 0 && errno == EINTR)
        return 0;
    if (ready < 0)
        throw std::system_error(errno, std::generic_category(), "poll");
    return ready;
}

}  // namespace quor::tools
