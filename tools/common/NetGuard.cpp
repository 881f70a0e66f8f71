#include "tools/common/NetGuard.h"

#include <arpa/inet.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace quor::tools {

namespace {

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Namespaces made by `ip netns add` are kept open by a file of their name in /run/netns.
bool IsNamedNamespace(const struct stat& own)
{
    std::error_code err;
    for (const auto& entry : std::filesystem::directory_iterator("/run/netns", err)) {
        struct stat named {};
        if (stat(entry.path().c_str(), &named) == 0 && SameFile(named, own))
            return true;
    }
    return false;
}

}  // namespace

bool InSeparateNetNamespace()
{
    // Two processes share a namespace when their namespace files name the same
    // inode. Where process 1 may not be looked at (a sandbox may hide it),
    // only a namespace of ip netns counts as separate.
    struct stat own {};
    struct stat machine {};
    if (stat("/proc/self/ns/net", &own) != 0)
        return false;
    if (stat("/proc/1/ns/net", &machine) == 0)
        return !SameFile(own, machine);
    return IsNamedNamespace(own);
}

bool IsLoopbackAddress(std::string_view dotted)
{
    in_addr addr{};
    if (inet_pton(AF_INET, std::string(dotted).c_str(), &addr) != 1)
        return false;
    return (ntohl(addr.s_addr) >> 24) == 127;
}

}  // namespace quor::tools
