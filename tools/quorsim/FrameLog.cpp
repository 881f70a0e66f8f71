#include "tools/quorsim/FrameLog.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <system_error>

namespace quor::tools {

namespace {

std::string WallTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms));
    return text;
}

}  // namespace

FrameLog::FrameLog(const std::string& path, const DeviceBook& book) : Book(book), Enabled(!path.empty())
{
    if (!Enabled)
        return;
    Out.open(path, std::ios::out | std::ios::trunc);
    if (!Out)
        throw std::system_error(errno, std::generic_category(), "log " + path);
}

// Every line is flushed at once: the log is read while the devices run, and
// a killed process loses nothing.
void FrameLog::Write(Direction dir, std::string_view local, std::string_view peer,
                     std::span<const uint8_t> data)
{
    if (!Enabled)
        return;
    const bool in = dir == Direction::In;
    Out << WallTime() << (in ? " in  " : " out ") << local << (in ? " < " : " > ") << peer << ' '
        << DescribeDatagram(data, Book) << std::endl;
}

void FrameLog::Flush()
{
    if (Enabled)
        Out.flush();
}

}  // namespace quor::tools
