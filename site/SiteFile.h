#pragma once
// The site file: what a site's controllers should hold, in the words of their
// sheets (section, group, label, the value as the control shows it and its
// mark), as YAML; a JSON file reads as YAML too.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/SheetFields.h"

namespace quor::site {

// A place in the file: line and column from 1; 0 where the reader knows none.
struct FilePlace {
    int Line = 0;
    int Column = 0;
};

struct SiteProblem {
    FilePlace At;
    std::string Text;
};

// "site.yaml:12:9: TEXT", or "site.yaml: TEXT" for a problem without a place.
std::string ProblemLine(std::string_view file, const SiteProblem& problem);

// One field the file states. Text is the scalar as written: the value as the
// sheet shows it, followed by its mark where the field has one
// ("P01_40101:Out5 NC", "R05_20102:Rd1 Wyjście"); empty or "-----" is none.
struct WantedField {
    std::string Section;
    std::string Group;  // empty for a field outside any group box
    std::string Label;
    std::string Text;
    FilePlace At;  // the label's place
    // The places of the value, of the section's key and of the group's key
    // (none outside a group): what a problem with each of them names. Each has a
    // default, so that the fields above alone still initialise a WantedField.
    FilePlace ValueAt{};
    FilePlace SectionAt{};
    FilePlace GroupAt{};
};

struct WantedController {
    std::string Name;  // the device name, K01_01101
    FilePlace At;
    std::vector<WantedField> Fields;  // in the file's order
};

struct SiteFile {
    std::vector<WantedController> Controllers;  // in the file's order
};

// Reads a site file. Every problem of the file itself (no YAML, a version
// other than 1, a node of the wrong shape, a controller or field stated
// twice) goes to problems with its place; what could be read is returned.
SiteFile ReadSiteFile(std::string_view text, std::vector<SiteProblem>& problems);

struct ExportedController {
    std::string Name;
    std::vector<SheetField> Fields;
};

// The site file stating every field of each controller, in the order given;
// ReadSiteFile gives the same fields back. A value is written with its mark
// after a blank, none as "-----", quoted where YAML would read it as anything
// but this text. The lockers' "!" (a number outside its module's range, the
// sheet's yellow) is no part of a value and nothing to set: it follows the
// value as a comment, "Od: 10  # !".
std::string SiteFileText(std::span<const ExportedController> controllers);

// A field's value as the site file spells it: the value, a blank and its mark
// ("P01_40101:Out5 NC"), "-----" for none; never the lockers' "!".
std::string FieldText(const SheetField& field);

}  // namespace quor::site
