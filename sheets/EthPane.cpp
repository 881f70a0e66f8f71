// The Ethernet pane's contents.
#include "sheets/EthPane.h"

#include <string>

namespace quor {

EthPaneView ViewEthPane(const UdpDevSet& devices)
{
    EthPaneView view;
    const int n = devices.Count;
    const int s = devices.Selected;
    view.WwwEnabled = n > 0;
    if (n <= 0) {
        view.HideSheets = true;
        return view;
    }
    view.Rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        view.Rows.push_back(devices.Dev[i].ListRow());
    }
    view.LoadSelected = s < 0 || s >= n;
    view.SelectRow = view.LoadSelected ? 0 : s;
    return view;
}

std::string WebAddress(const UdpDevSet& devices)
{
    const int s = devices.Selected;
    if (devices.Count <= 0 || s < 0 || s >= devices.Count) {
        return {};
    }
    return "http://" + devices.Dev[s].IpText();
}

std::string NoBrowserText(const std::string& address)
{
    return "Nie można otworzyć strony " + address + ": brak przeglądarki internetowej.";
}

std::string NotListedText(int capacity, int notListed)
{
    if (notListed <= 0) {
        return {};
    }
    return "Lista mieści " + std::to_string(capacity) + " urządzeń; " + std::to_string(notListed) +
           (notListed == 1 ? " pozostałego" : " pozostałych") + " nie pokazano.";
}

}  // namespace quor
