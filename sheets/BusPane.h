#pragma once
// The bus-device pane: its caption, rows, and when the maintenance controls apply.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Hardres.h"
#include "sheets/Selectors.h"

namespace quor {

// A replacement pair by its two devices' identities, which stay the same
// while their entries, and so the pair value, may change from one table to the next.
struct PairDevices {
    uint32_t Old = 0;
    uint32_t New = 0;

    bool operator==(const PairDevices&) const = default;
};

PairDevices DevicesOfPair(const BusDevTable& table, uint16_t pair);

// Which pair the rebuilt list selects: the first one when the list is first
// shown for a controller; afterwards the pair the installer had chosen, while
// it is still offered, and none once it is gone.
struct PairChoice {
    bool FirstShow = true;
    std::optional<PairDevices> Chosen;
};

struct BusPaneView {
    std::string Caption;            // DevSelBox
    std::vector<std::string> Rows;  // DevListBox, in display order
    bool ListEnabled = false;       // DevListBox; greyed while it lists no current table
    bool DelLostEnabled = false;    // DevDelLostBtn
    std::string DelLostTip;  // DevDelLostBtn's tooltip: why it is disabled, if not for want of lost devices
    SelectorView Pairs;      // DevReplCb: PairText with the pair value
    bool ReplaceEnabled = false;     // DevReplCb, DevReplOldLb, DevReplNewLb
    bool ReplaceBtnEnabled = false;  // DevReplaceBtn: also a pair is selected
};

// The caption names the controller as found on the LAN (the device at
// Selected), with a blank on each side; empty without present entries.
// current: the table is the one last read from the selected controller. The
// commands act on the selected device, so they apply to nothing else.
// settling: devices that have just taken over another's settings. The
// controller lists them inactive until they answer, yet they are not lost:
// none is offered as an old device, and while one is inactive "Usuń
// nieaktywne", which would delete it too, is not offered.
BusPaneView ViewBusPane(const BusDevTable& table, const UdpDevSet& devices, bool current = true,
                        const PairChoice& choice = {}, const std::set<uint32_t>& settling = {});

// The settling devices that the table lists inactive.
std::vector<uint32_t> StillSettling(const BusDevTable& table, const std::set<uint32_t>& settling);

// Why "Usuń nieaktywne" waits while devices are settling.
std::string SettlingText(const std::vector<uint32_t>& devices);

}  // namespace quor
