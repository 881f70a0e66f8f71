#pragma once
// search, table and config for scripts and spreadsheets: JSON and CSV with
// one fixed schema (quorctl --help, docs/quorctl-formats.md).

#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Hardres.h"
#include "tools/quorctl/ControllerLoad.h"
#include "tools/quorctl/Formats.h"
#include "tools/quorctl/Options.h"
#include "tools/quorctl/SheetFields.h"

namespace quor::tools {

// {name, id, ip, mode, protocol}.
Json DeviceJson(const UdpDev& dev);
// {entry, name, connection, kind, status, id, model, serial, conn, flags,
// outputs, fixed_outputs, inputs, readers, output_sets} of a present entry.
Json EntryJson(const BusDevTable& table, int entry);
// {section, group, label, value, mark}.
Json FieldJson(const SheetField& field);
// "doors", "lift", "lockers".
std::string KindName(int32_t kind);

std::string SearchListing(const UdpDevSet& devices, OutputFormat format);
std::string TableListing(const UdpDev& dev, const BusDevTable& table, OutputFormat format);
std::string ConfigListing(const UdpDev& dev, const LoadedController& c, OutputFormat format);

}  // namespace quor::tools
