#pragma once
// Reads the RTF of the help documents into paragraphs of formatted runs.
// It reads the subset those documents use (bold, italic, font size and
// family, left and first-line indents, space before and after paragraphs,
// tab stops, tabs, line breaks,
// Unicode escapes with their fallback bytes, Windows-1250 \'hh bytes) and
// passes over what it does not show: the colour table, the style sheet, the
// document information, {\*...} destinations and unknown words. Bad input
// never fails: it shows what can be read of it.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quor::rtf {

// Limits that keep hostile input cheap.
inline constexpr size_t MaxDepth = 64;       // deeper groups are passed over whole
inline constexpr int MaxIndent = 31680;      // twips, 22 inches
inline constexpr size_t MaxTabs = 32;        // tab stops of one paragraph
inline constexpr int MaxHalfPoints = 200;    // 100 points
inline constexpr int MaxFallbackBytes = 16;  // \ucN
inline constexpr size_t MaxFonts = 64;       // entries of the font table kept
inline constexpr size_t MaxFontNameBytes = 64;

struct CharFormat {
    bool Bold = false;
    bool Italic = false;
    int HalfPoints = 24;  // \fs: the RTF default of 12 points
    int Font = -1;        // number in the font table, -1 for none

    bool operator==(const CharFormat&) const = default;
};

struct Run {
    CharFormat Format;
    std::string Text;  // UTF-8; "\t" for a tab, "\n" for a line break
};

struct Paragraph {
    std::vector<Run> Runs;
    CharFormat Mark;        // the format at the paragraph's end, which sizes an empty one
    int LeftIndent = 0;     // twips
    int FirstIndent = 0;    // twips, from the left indent; negative for a hanging indent
    int SpaceBefore = 0;    // twips
    int SpaceAfter = 0;     // twips
    std::vector<int> Tabs;  // twips from the left margin, in the order given
};

struct Document {
    std::vector<Paragraph> Paragraphs;
    std::map<int, std::string> Fonts;  // the font table: number to family name
};

Document ReadRtf(std::string_view rtf);

// The paragraph's text without its formatting.
std::string PlainText(const Paragraph& p);

}  // namespace quor::rtf
