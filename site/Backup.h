#pragma once
// A controller's configuration saved to a file: its identity, its bus-device
// table and every configuration block exactly as read, with the sheet's
// fields for people to read (format in docs/quorctl-formats.md).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"
#include "model/Controller.h"
#include "model/Hardres.h"

namespace quor::site {

// The format this program writes and reads; another version is refused.
inline constexpr int BackupVersion = 1;
inline constexpr std::string_view BackupFormat = "quorctl backup";

struct Backup {
    std::string Created;  // UTC, "2026-05-28T10:15:00Z"
    uint32_t ControllerId = 0;
    std::string Ip;    // dotted
    std::string Mode;  // the mode name the Ethernet list showed
    int32_t Protocol = 0;
    int32_t Kind = 0;
    int32_t DoorCount = 0;
    int32_t TrainFlag = 0;
    std::vector<BusDev> Entries;   // the table's entries, entry index = position; Taken unused
    std::vector<RawBlock> Blocks;  // KindBlocks of the table, in their order
};

// Reads the controller as LoadConfiguration does, keeping every block's
// bytes; the controller's table and records are left in c. Errors as
// LoadConfiguration.
Backup TakeBackup(UdpDev& dev, Controller& c);
// Now, in UTC: "2026-05-28T10:15:00Z".
std::string UtcNow();
// A backup of the device and its table as just read, dated now, without blocks.
Backup BackupHead(const UdpDev& dev, const BusDevTable& table);

// The backup's table and blocks in the records of c, as a read leaves them.
// The backup must be one ParseBackup accepted or TakeBackup made.
void Unpack(const Backup& backup, Controller& c);

// The file's text.
std::string BackupText(const Backup& backup);
// Takes a file's text in; throws std::runtime_error naming source and what
// is wrong when it is no backup, of another version, or does not hold
// together (its blocks not those of its kind, or not fitting their shapes).
Backup ParseBackup(std::string_view text, const std::string& source);

// Writes the file under a temporary name in its folder and renames it, so
// that a failure leaves no half-written backup; throws std::runtime_error.
void SaveBackup(const Backup& backup, const std::string& path);
Backup LoadBackup(const std::string& path);

}  // namespace quor::site
