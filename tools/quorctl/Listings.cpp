#include "tools/quorctl/Listings.h"
#include "sheets/ControllerKinds.h"

namespace quor::tools {

using namespace site;

namespace {

const std::vector<std::string> DeviceColumns = {"name", "id", "ip", "mode", "protocol"};
const std::vector<std::string> EntryColumns = {
    "entry", "name",  "connection", "kind",          "status", "id",      "model",      "serial",
    "conn",  "flags", "outputs",    "fixed_outputs", "inputs", "readers", "output_sets"};
const std::vector<std::string> FieldColumns = {"section", "group", "label", "value", "mark"};

// A JSON value as a CSV field: texts as they are, a list blank-separated.
std::string CsvField(const Json& value)
{
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_array()) {
        std::string text;
        for (const Json& item : value)
            text += (text.empty() ? "" : " ") + CsvField(item);
        return text;
    }
    return value.dump();
}

// Rows of objects under a header of their keys; lead, when given, starts every row.
std::string CsvTable(const std::vector<std::string>& columns, const std::vector<Json>& rows,
                     const std::string& leadColumn = {}, const std::string& lead = {})
{
    std::vector<std::string> header = columns;
    if (!leadColumn.empty())
        header.insert(header.begin(), leadColumn);
    std::string text = CsvRecord(header);
    for (const Json& row : rows) {
        std::vector<std::string> fields;
        if (!leadColumn.empty())
            fields.push_back(lead);
        for (const std::string& column : columns)
            fields.push_back(CsvField(row.at(column)));
        text += CsvRecord(fields);
    }
    return text;
}

}  // namespace

std::string CsvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (i > 0)
            record += ',';
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            record += field;
            continue;
        }
        record += '"';
        for (char c : field)
            record += c == '"' ? std::string("\"\"") : std::string(1, c);
        record += '"';
    }
    return record + "\r\n";
}

Json DeviceJson(const UdpDev& dev)
{
    return {{"name", DevName(dev.Id)},
            {"id", IdText(dev.Id)},
            {"ip", dev.IpText()},
            {"mode", dev.ModeName()},
            {"protocol", dev.Version}};
}

Json FieldJson(const SheetField& field)
{
    return {{"section", field.Section},
            {"group", field.Group},
            {"label", field.Label},
            {"value", field.Value},
            {"mark", field.Mark}};
}

std::string SearchListing(const UdpDevSet& devices, OutputFormat format)
{
    std::vector<Json> rows;
    for (int i = 0; i < devices.Count; ++i)
        rows.push_back(DeviceJson(devices.Dev[i]));
    if (format == OutputFormat::Csv)
        return CsvTable(DeviceColumns, rows);
    return JsonText(Json(rows));
}

std::string TableListing(const UdpDev& dev, const BusDevTable& table, OutputFormat format)
{
    std::vector<Json> rows;
    for (int p = 0; p < table.PresentCount; ++p)
        rows.push_back(EntryJson(table, table.Order[p]));
    if (format == OutputFormat::Csv)
        return CsvTable(EntryColumns, rows, "controller", DevName(dev.Id));
    return JsonText({{"controller", DevName(dev.Id)}, {"entries", rows}});
}

std::string ConfigListing(const UdpDev& dev, const Controller& c, OutputFormat format)
{
    std::vector<Json> rows;
    for (const SheetField& field : SheetFields(c, dev.Id))
        rows.push_back(FieldJson(field));
    if (format == OutputFormat::Csv)
        return CsvTable(FieldColumns, rows, "controller", DevName(dev.Id));
    return JsonText({{"controller", DeviceJson(dev)},
                     {"kind", KindKey(c.Table.Kind)},
                     {"door_count", c.Table.DoorCount},
                     {"train_flag", c.Table.TrainFlag},
                     {"fields", rows}});
}

}  // namespace quor::tools
