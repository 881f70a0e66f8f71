#include "link/Targets.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

#include "link/TargetTexts.h"

namespace quor {

namespace {

// Four decimal numbers 0..255 separated by dots, nothing else.
bool ReadDotted(std::string_view text, uint32_t& ip)
{
    ip = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') {
                return false;
            }
            text.remove_prefix(1);
        }
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        const size_t digits = static_cast<size_t>(end - text.data());
        if (ec != std::errc() || digits == 0 || digits > 3 || value > 255) {
            return false;
        }
        ip = ip << 8 | value;
        text.remove_prefix(digits);
    }
    return text.empty();
}

}  // namespace

std::string WidestRangeText()
{
    return "/" + std::to_string(TargetShortestPrefix);
}

std::string GroupedCount(int count)
{
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0 && digits[at - 1] != '-'; at -= 3) {
        digits.insert(static_cast<size_t>(at), ",");
    }
    return digits;
}

void AddTarget(std::vector<uint32_t>& targets, std::string_view text, bool loopbackAllowed)
{
    const std::string given(text);
    const size_t slash = text.find('/');
    uint32_t ip = 0;
    int prefix = 32;
    if (slash != std::string_view::npos) {
        const std::string_view p = text.substr(slash + 1);
        const auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), prefix);
        if (ec != std::errc() || end != p.data() + p.size() || p.size() > 2 || prefix > 32) {
            prefix = -1;
        }
    }
    if (!ReadDotted(text.substr(0, slash), ip) || prefix < 0) {
        throw std::invalid_argument(given + ": not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24");
    }
    if (prefix < TargetShortestPrefix) {
        throw std::invalid_argument(given + ": a range may be at most " + WidestRangeText() + " (" +
                                    GroupedCount(TargetRangeMost) + " addresses)");
    }
    if (ip >> 28 == 0xE) {
        throw std::invalid_argument(given +
                                    ": a multicast address; a device answers at its own address only");
    }
    if (ip >> 24 == 127 && !loopbackAllowed) {
        throw std::invalid_argument(
            given + ": a loopback address reaches no device outside a network namespace of its own");
    }
    if (ip >> 24 == 0 || ip >> 28 == 0xF) {
        throw std::invalid_argument(given + ": not an address a device can have");
    }
    std::vector<uint32_t> adding;
    if (prefix >= 31) {
        // A lone address, or the two of a point-to-point link.
        const uint32_t first = prefix == 32 ? ip : ip & ~1u;
        // An address given alone is one host whatever its last byte: 10.45.1.255
        // is an ordinary address in a /16.
        for (uint32_t a = first; a <= (ip | (prefix == 32 ? 0u : 1u)); ++a) {
            adding.push_back(a);
        }
    } else {
        const uint32_t size = 1u << (32 - prefix);
        const uint32_t network = ip & ~(size - 1);
        for (uint32_t a = network + 1; a < network + size - 1; ++a) {
            adding.push_back(a);
        }
    }
    std::vector<uint32_t> merged = targets;
    for (uint32_t a : adding) {
        if (std::find(targets.begin(), targets.end(), a) == targets.end()) {
            merged.push_back(a);
        }
    }
    if (merged.size() > static_cast<size_t>(TargetsMost)) {
        throw std::invalid_argument(given + ": at most " + GroupedCount(TargetsMost) +
                                    " addresses in all; the targets would give " +
                                    std::to_string(merged.size()));
    }
    targets = std::move(merged);
}

void AddTargetOptions(SearchScope& scope, std::span<const std::string> texts, bool loopbackAllowed)
{
    for (const std::string& text : texts) {
        try {
            AddTarget(scope.Targets, text, loopbackAllowed);
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument(std::string("--target ") + e.what());
        }
    }
    if (!scope.Broadcast && scope.Targets.empty())
        throw std::invalid_argument("--no-broadcast needs a --target, or nothing is asked");
}

}  // namespace quor
