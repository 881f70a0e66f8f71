// The bus-device pane's contents.
#include "sheets/BusPane.h"

#include <algorithm>

namespace quor {

namespace {

int EntryOf(const BusDevTable& table, uint32_t id)
{
    for (int i = 0; i < table.DevCount && i < MaxBusDevs; ++i) {
        if (table.Dev[i].Present() && table.Dev[i].Id == id) {
            return i;
        }
    }
    return -1;
}

SelectorView PairItems(const BusDevTable& table, const PairChoice& choice, const std::set<uint32_t>& settling)
{
    PairList pairs;
    const int n = table.ReplacementPairs(pairs);
    SelectorView view;
    for (int i = 0; i < n; ++i) {
        const PairDevices devices = DevicesOfPair(table, pairs[i]);
        if (settling.contains(devices.Old)) {
            continue;
        }
        if (!choice.FirstShow && choice.Chosen == devices) {
            view.Current = static_cast<int>(view.Items.size());
        }
        view.Items.push_back({table.PairText(pairs[i]), pairs[i]});
    }
    if (choice.FirstShow && !view.Items.empty()) {
        view.Current = 0;
    }
    return view;
}

}  // namespace

PairDevices DevicesOfPair(const BusDevTable& table, uint16_t pair)
{
    // Low byte the old device's entry, high byte its successor's.
    return {table.Dev[pair & 0x7F].Id, table.Dev[(pair >> 8) & 0x7F].Id};
}

BusPaneView ViewBusPane(const BusDevTable& table, const UdpDevSet& devices, bool current,
                        const PairChoice& choice, const std::set<uint32_t>& settling)
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
    const std::vector<uint32_t> waiting = StillSettling(table, settling);
    view.DelLostEnabled = current && table.AnyInactive() && waiting.empty();
    if (current && !waiting.empty()) {
        view.DelLostTip = SettlingText(waiting);
    }
    view.Pairs = PairItems(table, choice, settling);
    view.ReplaceEnabled = current && !view.Pairs.Items.empty();
    view.ReplaceBtnEnabled = view.ReplaceEnabled && view.Pairs.Current >= 0;
    return view;
}

std::vector<uint32_t> StillSettling(const BusDevTable& table, const std::set<uint32_t>& settling)
{
    std::vector<uint32_t> waiting;
    for (const uint32_t id : settling) {
        const int entry = EntryOf(table, id);
        if (entry >= 0 && (table.Dev[entry].Flags & FlagInactive)) {
            waiting.push_back(id);
        }
    }
    return waiting;
}

std::string SettlingText(const std::vector<uint32_t>& devices)
{
    std::string names;
    for (const uint32_t id : devices) {
        names += (names.empty() ? "" : ", ") + DevName(id);
    }
    const std::string took =
        devices.size() == 1
            ? "Urządzenie " + names + " przejęło ustawienia zastąpionego i jeszcze nie odpowiada"
            : "Urządzenia " + names + " przejęły ustawienia zastąpionych i jeszcze nie odpowiadają";
    return took + "; \"Usuń nieaktywne\" usunęłoby także je. Poczekaj kilka sekund.";
}

}  // namespace quor
