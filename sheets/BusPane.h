#pragma once
// The bus-device pane: its caption, rows, and when the maintenance controls apply.

#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Hardres.h"
#include "sheets/Selectors.h"

namespace quor {

struct BusPaneView {
    std::string Caption;            // DevSelBox
    std::vector<std::string> Rows;  // DevListBox, in display order
    bool ListEnabled = false;       // DevListBox; greyed while it lists no current table
    bool DelLostEnabled = false;    // DevDelLostBtn
    SelectorView Pairs;             // DevReplCb: PairText with the pair value; first item selected
    bool ReplaceEnabled = false;    // DevReplCb, DevReplOldLb, DevReplNewLb, DevReplaceBtn
};

// The caption names the controller as found on the LAN (the device at
// Selected), with a blank on each side; empty without present entries.
// current: the table is the one last read from the selected controller. The
// commands act on the selected device, so they apply to nothing else.
BusPaneView ViewBusPane(const BusDevTable& table, const UdpDevSet& devices, bool current = true);

}  // namespace quor
