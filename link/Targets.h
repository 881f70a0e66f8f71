#pragma once
// Devices behind a router: a broadcast never crosses it, but a device answers
// the search request sent to its own address. The installer names them by
// address or by range; the search then asks each address as well.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The widest range is a /22 (1,024 addresses) and all targets together give
// at most TargetsMost addresses, so that a typing slip does not send tens of
// thousands of datagrams.
inline constexpr int TargetShortestPrefix = 22;
inline constexpr int TargetsMost = 4096;

// Whom a search pass asks: the broadcast address, unless switched off, and
// each address here in turn.
struct SearchScope {
    std::vector<uint32_t> Targets;
    bool Broadcast = true;
};

// Adds the addresses of one "ADDR" or "ADDR/PREFIX" to targets (an address
// alone is one host, whatever its last byte; a range gives its host
// addresses, without its own network and broadcast address; an address
// given twice is asked once). Loopback addresses are taken only
// when loopbackAllowed: inside a network namespace of our own they reach
// emulated devices, elsewhere nothing. Throws std::invalid_argument with a
// message that starts with the text given; targets is then unchanged.
void AddTarget(std::vector<uint32_t>& targets, std::string_view text, bool loopbackAllowed);

// Adds the addresses of each --target option to scope, then checks that the
// scope asks anyone at all. Throws std::invalid_argument with the message to
// show ("--target ...", "--no-broadcast needs a --target, ...").
void AddTargetOptions(SearchScope& scope, std::span<const std::string> texts, bool loopbackAllowed);

}  // namespace quor
