#pragma once
// The Ethernet pane: its rows, its "www" button and which row to select.

#include <string>
#include <vector>

#include "link/Udpdev.h"

namespace quor {

struct EthPaneView {
    std::vector<std::string> Rows;  // UdpDev::ListRow of every found device
    bool WwwEnabled = false;
    bool HideSheets = false;    // no device listed: hide SheetSet
    int SelectRow = -1;         // row to select (-1: none)
    bool LoadSelected = false;  // the selection was out of range: select row 0 and load it
};

EthPaneView ViewEthPane(const UdpDevSet& devices);

// "http://" and the selected device's dotted address; empty when no device is listed.
std::string WebAddress(const UdpDevSet& devices);

// The message when the desktop has no program to open the page at address.
std::string NoBrowserText(const std::string& address);

// The message when more devices answered a search than the list holds
// (capacity); empty when notListed is 0.
std::string NotListedText(int capacity, int notListed);

}  // namespace quor
