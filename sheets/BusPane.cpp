// The bus-device pane's contents.
#include "sheets/BusPane.h"

namespace quor {

BusPaneView ViewBusPane(const BusDevTable& table, const UdpDevSet& devices, bool current)
{
    BusPaneView view;
    const int s = devices.Selected;
    if (table.PresentCount != 0 && s >= 0 && s < devices.Count) {
        view.Caption = " " + DevName(devices.Dev[s].Id) + " ";
    }
    view.Rows.reserve(table.PresentCount);
    for (int p = 0; p < table.PresentCount; ++p) {
        view.Rows.push_back(table.DevListRow(p));
    }
    view.ListEnabled = current;
    view.DelLostEnabled = current && table.AnyInactive();

    PairList pairs;
    const int n = table.ReplacementPairs(pairs);
    view.Pairs.Items.reserve(n);
    for (int i = 0; i < n; ++i) {
        view.Pairs.Items.push_back({table.PairText(pairs[i]), pairs[i]});
    }
    view.Pairs.Current = n > 0 ? 0 : -1;
    view.ReplaceEnabled = current && n > 0;
    return view;
}

}  // namespace quor
