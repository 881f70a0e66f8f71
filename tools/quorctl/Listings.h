#pragma once
// search, table and config for scripts and spreadsheets: JSON and CSV with
// one fixed schema (quorctl --help, docs/quorctl-formats.md).

#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Controller.h"
#include "sheets/SheetFields.h"
#include "site/Formats.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

using site::Json;

// One CSV record as RFC 4180 has it: a field holding a comma, a double quote,
// CR or LF is quoted (its quotes doubled); the record ends in CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

// {name, id, ip, mode, protocol}.
Json DeviceJson(const UdpDev& dev);
// {section, group, label, value, mark}.
Json FieldJson(const SheetField& field);

std::string SearchListing(const UdpDevSet& devices, OutputFormat format);
std::string TableListing(const UdpDev& dev, const BusDevTable& table, OutputFormat format);
std::string ConfigListing(const UdpDev& dev, const Controller& c, OutputFormat format);

}  // namespace quor::tools
