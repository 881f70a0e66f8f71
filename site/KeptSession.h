#pragma once
// A controller's session kept through a whole site run, from the plan's read
// to the write's read-back: opened and closed without a status poll, since the
// search has just told each controller's mode, and every request of a run
// counts on a site of hundreds.

#include <cstdint>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"
#include "model/Controller.h"
#include "site/Backup.h"

namespace quor::site {

// Opens this program's session unless it holds one. UErr 4 when the mode
// the search told says another party holds one, 5 when the controller
// refuses it.
void OpenKept(UdpDev& dev);
// Closes the session if this program holds one; a close that fails leaves
// it to lapse.
void EndKept(UdpDev& dev) noexcept;
// Keeps a held session from lapsing while other controllers take their turn.
void KeepKept(UdpDev& dev);

// The sessions a site run holds open while it turns to other controllers:
// one idle for 15 s gets a keep-alive, since a controller drops a session
// after 30 s without a request. Ends those still open when it goes.
class KeptSessions {
public:
    explicit KeptSessions(UdpDevSet& devices) : Devices(devices) {}
    ~KeptSessions();
    KeptSessions(const KeptSessions&) = delete;
    KeptSessions& operator=(const KeptSessions&) = delete;

    // A session of the device is open, and was just used.
    void Used(uint32_t id);
    // Ends the device's session and forgets it.
    void End(uint32_t id);
    // Forgets the device's session, leaving it open for another to keep.
    void Keep(uint32_t id);
    // Keeps alive the sessions that have waited long.
    void Sweep();

private:
    int64_t Now() const;

    UdpDevSet& Devices;
    std::vector<std::pair<uint32_t, int64_t>> LastUsed;
};

// The table in c.Table, its entries as a backup keeps them. UErr as the
// exchange raises it; std::runtime_error for a table that holds no configuration.
void ReadTableKept(UdpDev& dev, Controller& c);
// One block's bytes as read, head included.
std::vector<uint8_t> ReadBlockKept(UdpDev& dev, BlockId block);

// Polls nothing: reads the table and every block of its kind in the kept
// session, decoding them into c, and gives them as a backup.
Backup ReadControllerKept(UdpDev& dev, Controller& c);

}  // namespace quor::site
