#include "sheets/FieldCaptions.h"

namespace quor {

std::string FramedCaption(std::string_view title)
{
    return ' ' + std::string(title) + ' ';
}

std::string FieldCaption(const SheetFieldRow& row)
{
    const std::string label(row.Label);
    if (row.Value == FieldValue::YesNo)
        return label;
    if (row.Value == FieldValue::Airlock)
        return FramedCaption(label);
    if (row.EachModule && row.Value == FieldValue::Reference)
        return label;
    return label + ':';
}

std::string GroupCaption(const SheetFieldRow& row)
{
    return row.Group.empty() ? std::string() : FramedCaption(row.Group);
}

std::string MarkCaption(const SheetFieldRow& row)
{
    return std::string(row.Mark);
}

}  // namespace quor
