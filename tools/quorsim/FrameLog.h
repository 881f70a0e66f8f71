#pragma once
// quorsim's log: one line per datagram in or out,
//   HH:MM:SS.mmm in  LOCAL < PEER:PORT <datagram text>
//   HH:MM:SS.mmm out LOCAL > PEER:PORT <datagram text>
// LOCAL is the device's address (255.255.255.255 for a broadcast taken in
// for all devices); the datagram text is that of FrameText.h. Wall-clock
// times, so that the logs of several devices can be merged by time.

#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "tools/quorsim/FrameText.h"

namespace quor::tools {

enum class Direction { In, Out };

class FrameLog {
public:
    // An empty path keeps no log; a file that cannot be opened throws std::system_error.
    FrameLog(const std::string& path, const DeviceBook& book);
    void Write(Direction dir, std::string_view local, std::string_view peer, std::span<const uint8_t> data);
    void Flush();

private:
    std::ofstream Out;
    const DeviceBook& Book;
    bool Enabled;
};

}  // namespace quor::tools
