// Reading and writing the site file. The file is a person's, edited by hand:
// every problem is named with its place, and reading goes on past it so that
// one run lists them all.
#include "site/SiteFile.h"

#include <algorithm>
#include <map>
#include <utility>
#include <yaml-cpp/yaml.h>

#include "sheets/SheetWords.h"
#include "text/Compose.h"
#include "text/Printable.h"
#include "text/Utf8.h"

namespace quor::site {

namespace {

constexpr std::string_view VersionKey = "quorctl-site";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view ControllersKey = "controllers";
constexpr std::string_view NoneText = words::NoneValue;
// The lockers' mark of a number outside its module's range: the sheet's colour,
// nothing the installer sets, so the file shows it as a comment.
constexpr std::string_view DerivedMark = "!";

// The parser counts columns in bytes; an editor counts characters.
FilePlace PlaceOf(std::string_view text, const YAML::Mark& mark)
{
    if (mark.is_null() || mark.pos < mark.column || static_cast<size_t>(mark.pos) > text.size())
        return {};
    const size_t column = Utf8Length(text.substr(mark.pos - mark.column, mark.column));
    return {mark.line + 1, 1 + static_cast<int>(column)};
}

std::string PlaceText(FilePlace at)
{
    return "line " + std::to_string(at.Line);
}

// The character of the well-formed UTF-8 sequence at text[at], with its
// length in bytes; a length of 0 where no such sequence begins.
std::pair<char32_t, size_t> Utf8At(std::string_view text, size_t at)
{
    const std::string_view rest = text.substr(at);
    const size_t length = Utf8SequenceLength(rest);
    if (length == 0)
        return {0, 0};
    return {Utf8Char(rest.substr(0, length)), length};
}

// A character the reader refuses as it stands in the file, though an escape
// may give it: a control other than tab and the line ends, a Unicode line or
// paragraph separator, a non-character.
bool RefusedRaw(char32_t code)
{
    if (code == '\t' || code == '\n' || code == '\r')
        return false;
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
           code == 0xFFFE || code == 0xFFFF;
}

// Where the text stops being well-formed UTF-8, or holds a control character
// (a line break other than LF and CR LF included), with what is wrong there;
// npos when it does neither. A file saved in Windows-1250 shows here, at its
// first Polish letter.
std::pair<size_t, std::string_view> NotText(std::string_view text)
{
    constexpr std::string_view NotUtf8 = "not UTF-8: a site file is UTF-8 text";
    constexpr std::string_view Control = "a control character: a site file is plain text";
    for (size_t i = 0; i < text.size();) {
        const auto [code, length] = Utf8At(text, i);
        if (length == 0)
            return {i, NotUtf8};
        if (RefusedRaw(code))
            return {i, Control};
        i += length;
    }
    return {std::string_view::npos, {}};
}

// A scalar as UTF-8, its letters composed where Windows-1250 holds them
// (a key must match the sheet's words, and a value is stored in that code
// page). yaml-cpp gives the escapes \N and \_ as the single bytes
// 0x85 and 0xA0 rather than as U+0085 and U+00A0; every other byte of a
// scalar comes from the checked text or from an escape it encodes itself.
std::string Utf8Scalar(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (const size_t length = Utf8At(text, i).second) {
            i += length - 1;
            continue;
        }
        std::string latin1;
        AppendUtf8(latin1, static_cast<unsigned char>(text[i]));
        text.replace(i, 1, latin1);
        i += latin1.size() - 1;
    }
    return ComposeCp1250Letters(text);
}

// The line and column (in characters) of a byte of the text.
FilePlace PlaceAt(std::string_view text, size_t at)
{
    const std::string_view before = text.substr(0, std::min(at, text.size()));
    const size_t lineStart = before.rfind('\n') + 1;  // 0 on the first line
    const auto lines = std::count(before.begin(), before.end(), '\n');
    return {1 + static_cast<int>(lines), 1 + static_cast<int>(Utf8Length(before.substr(lineStart)))};
}

// The first CR that ends a line alone, as old Mac files do; npos for none.
size_t LoneCr(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return i;
    }
    return text.npos;
}

// The first tab among the blanks that begin a line with content; npos for none.
size_t IndentingTab(std::string_view text)
{
    for (size_t line = 0; line < text.size();) {
        const size_t end = std::min(text.find('\n', line), text.size());
        const size_t content = text.find_first_not_of(" \t\r", line);
        const size_t tab = text.find('\t', line);
        if (content < end && tab < content)
            return tab;
        line = end + 1;
    }
    return text.npos;
}

// Where a second document begins: a "---" line once the first has begun,
// or anything but a comment after the "..." that ended the first; npos for
// none. yaml-cpp's own reading of several documents can loop forever on a
// malformed one, so the file's lines are looked at instead: a document
// marker stands at the start of a line, and nothing else of a site file does.
size_t SecondDocument(std::string_view text)
{
    const auto marker = [](std::string_view line, std::string_view dashes) {
        return line.starts_with(dashes) &&
               (line.size() == 3 || line[3] == ' ' || line[3] == '\t' || line[3] == '\r');
    };
    bool begun = false;
    bool ended = false;
    for (size_t line = 0; line < text.size();) {
        const size_t end = std::min(text.find('\n', line), text.size());
        const std::string_view l = text.substr(line, end - line);
        const size_t first = l.find_first_not_of(" \t\r");
        const bool content = first != l.npos && l[first] != '#';
        if ((marker(l, "---") && begun) || (ended && content && !marker(l, "...")))
            return line;
        ended = ended || marker(l, "...");
        begun = begun || content;
        line = end + 1;
    }
    return text.npos;
}

class Reader {
public:
    Reader(std::string_view text, std::vector<SiteProblem>& problems) : Text(text), Problems(problems) {}

    SiteFile Read(const YAML::Node& root)
    {
        SiteFile file;
        if (root.IsNull()) {
            Problem({1, 1}, "the file is empty; it begins with \"quorctl-site: 1\"");
            return file;
        }
        if (!root.IsMap()) {
            Problem(PlaceOf(root), "the file is no map; it begins with \"quorctl-site: 1\"");
            return file;
        }
        bool version = false;
        bool controllers = false;
        std::map<std::string, FilePlace> seen;
        for (const auto& entry : root) {
            const std::string key = KeyText(entry.first);
            if (!FirstTime(seen, key, PlaceOf(entry.first), "key"))
                continue;
            if (key == VersionKey) {
                version = true;
                if (!entry.second.IsScalar() || entry.second.Scalar() != "1")
                    Problem(PlaceOf(entry.second), "version " + Shown(entry.second) +
                                                       " is not known; this program reads quorctl-site: 1");
            } else if (key == ControllersKey) {
                controllers = true;
                Controllers(entry.second, file);
            } else {
                Problem(PlaceOf(entry.first),
                        "unknown key \"" + key + "\"; the file holds quorctl-site and controllers");
            }
        }
        if (!version)
            Problem(PlaceOf(root), "no \"quorctl-site: 1\"");
        if (!controllers)
            Problem(PlaceOf(root), "no \"controllers\"");
        return file;
    }

private:
    FilePlace PlaceOf(const YAML::Node& node) const { return site::PlaceOf(Text, node.Mark()); }

    void Problem(FilePlace at, std::string text) { Problems.push_back({at, std::move(text)}); }

    static std::string Shown(const YAML::Node& node)
    {
        if (node.IsScalar())
            return "\"" + Utf8Scalar(node.Scalar()) + "\"";
        if (node.IsNull())
            return "(empty)";
        return node.IsMap() ? "(a map)" : "(a list)";
    }

    // A key that is no text is a problem of its own; it reads as "".
    std::string KeyText(const YAML::Node& key)
    {
        if (key.IsScalar())
            return Utf8Scalar(key.Scalar());
        Problem(PlaceOf(key), "a key must be a text, not " + Shown(key));
        return {};
    }

    // Whether key is stated for the first time in its map; the second time is a problem.
    bool FirstTime(std::map<std::string, FilePlace>& seen, const std::string& key, FilePlace at,
                   std::string_view what)
    {
        const auto [it, first] = seen.emplace(key, at);
        if (!first)
            Problem(at, std::string(what) + " \"" + key + "\" is stated twice (first at " +
                            PlaceText(it->second) + ")");
        return first;
    }

    // A map, or nothing stated (an empty node); anything else is a problem.
    bool MapOrEmpty(const YAML::Node& node, std::string_view what)
    {
        if (node.IsMap() || node.IsNull())
            return node.IsMap();
        Problem(PlaceOf(node), std::string(what) + " must be a map, not " + Shown(node));
        return false;
    }

    void Controllers(const YAML::Node& node, SiteFile& file)
    {
        if (!MapOrEmpty(node, "controllers"))
            return;
        std::map<std::string, FilePlace> seen;
        for (const auto& entry : node) {
            const std::string name = KeyText(entry.first);
            const FilePlace at = PlaceOf(entry.first);
            if (!FirstTime(seen, name, at, "controller"))
                continue;
            WantedController c{name, at, {}};
            if (MapOrEmpty(entry.second, "controller " + name))
                Sections(entry.second, c);
            file.Controllers.push_back(std::move(c));
        }
    }

    void Sections(const YAML::Node& node, WantedController& c)
    {
        std::map<std::string, FilePlace> seen;
        for (const auto& entry : node) {
            const std::string section = KeyText(entry.first);
            const FilePlace at = PlaceOf(entry.first);
            if (!FirstTime(seen, section, at, "section") || !MapOrEmpty(entry.second, "section " + section))
                continue;
            std::map<std::string, FilePlace> fields;
            for (const auto& item : entry.second) {
                const std::string key = KeyText(item.first);
                if (item.second.IsMap()) {
                    if (!FirstTime(fields, key, PlaceOf(item.first), "group"))
                        continue;
                    std::map<std::string, FilePlace> labels;
                    for (const auto& field : item.second) {
                        WantedField f{section, key, KeyText(field.first), {}, PlaceOf(field.first)};
                        f.SectionAt = at;
                        f.GroupAt = PlaceOf(item.first);
                        if (FirstTime(labels, f.Label, f.At, "field"))
                            Field(field.second, f, c);
                    }
                } else {
                    WantedField f{section, "", key, {}, PlaceOf(item.first)};
                    f.SectionAt = at;
                    if (FirstTime(fields, key, f.At, "field"))
                        Field(item.second, f, c);
                }
            }
        }
    }

    void Field(const YAML::Node& value, WantedField& f, WantedController& c)
    {
        // An empty value's node has the place of whatever follows it.
        f.ValueAt = value.IsNull() ? f.At : PlaceOf(value);
        if (value.IsScalar()) {
            f.Text = Utf8Scalar(value.Scalar());
        } else if (!value.IsNull()) {
            Problem(f.ValueAt, "the value of " + f.Label + " must be a text, not " + Shown(value));
            return;
        }
        c.Fields.push_back(std::move(f));
    }

    std::string_view Text;
    std::vector<SiteProblem>& Problems;
};

bool CanonicalNumber(std::string_view text)
{
    if (text.empty() || (text[0] == '0' && text.size() > 1))
        return false;
    return text.find_first_not_of("0123456789") == text.npos;
}

// A text YAML would read as something other than this text: a number in any
// other spelling, a truth value or null of YAML 1.1 or 1.2.
bool ReadsAsOther(std::string_view text)
{
    std::string lower;
    for (char ch : text)
        lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    for (std::string_view word : {"null", "~", "true", "false", "yes", "no", "on", "off", "y", "n"}) {
        if (lower == word)
            return true;
    }
    if (CanonicalNumber(text))
        return false;
    const char first = text.front();
    const bool numeric = (first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.';
    return numeric && text.find(' ') == text.npos;
}

// Whether text may stand as a plain scalar and reads back as itself.
bool PlainSafe(std::string_view text)
{
    if (text.empty() || text == NoneText)
        return text == NoneText;
    if (std::string_view("-?:,[]{}#&*!|>'\"%@`").find(text.front()) != std::string_view::npos)
        return false;
    if (text.front() == ' ' || text.back() == ' ' || text.back() == ':')
        return false;
    if (text.find(": ") != text.npos || text.find(" #") != text.npos)
        return false;
    for (size_t i = 0; i < text.size();) {
        const auto [code, length] = Utf8At(text, i);
        if (length == 0 || code < 0x20 || RefusedRaw(code))
            return false;
        i += length;
    }
    return !ReadsAsOther(text);
}

// A double-quoted scalar escapes what would not read back as it stands: the
// quote and backslash, and every control or other character RefusedRaw names.
std::string Quoted(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    if (PlainSafe(text))
        return std::string(text);
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto [code, length] = Utf8At(text, i);
        if (code == '"' || code == '\\') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code == '\n') {
            out += "\\n";
        } else if (code == '\t') {
            out += "\\t";
        } else if (length != 0 && (code < 0x20 || RefusedRaw(code))) {
            out += code < 0x100 ? "\\x" : "\\u";
            for (int shift = code < 0x100 ? 4 : 12; shift >= 0; shift -= 4)
                out += Hex[code >> shift & 0xF];
        } else {
            // Text the reader gave is UTF-8; any other byte is kept as it is.
            out.append(text.substr(i, std::max<size_t>(length, 1)));
        }
        i += std::max<size_t>(length, 1);
    }
    return out + "\"";
}

// A key up to the ":" before its value. yaml-cpp takes a key on its value's
// line only up to 1,024 bytes as written; a longer one (no name of the window
// is) goes on a line of its own as an explicit key, "? KEY", then ":".
std::string KeyColon(const std::string& indent, std::string_view key)
{
    const std::string written = Quoted(key);
    if (written.size() <= 1024)
        return indent + written + ":";
    return indent + "? " + written + "\n" + indent + ":";
}

void WriteField(std::string& out, const std::string& indent, const SheetField& f)
{
    out += KeyColon(indent, f.Label) + " " + Quoted(FieldText(f));
    if (f.Mark == DerivedMark)
        out += "  # " + std::string(DerivedMark);
    out += "\n";
}

void WriteController(std::string& out, const ExportedController& c)
{
    out += KeyColon("  ", c.Name) + "\n";
    const auto& fields = c.Fields;
    std::vector<bool> written(fields.size(), false);
    // A section, and a group inside it, gathers every field of its name in
    // the order of the first: a map states each key once.
    for (size_t i = 0; i < fields.size(); ++i) {
        if (written[i])
            continue;
        const std::string& section = fields[i].Section;
        out += KeyColon("    ", section) + "\n";
        for (size_t j = i; j < fields.size(); ++j) {
            if (written[j] || fields[j].Section != section)
                continue;
            const std::string& group = fields[j].Group;
            if (group.empty()) {
                WriteField(out, "      ", fields[j]);
                written[j] = true;
                continue;
            }
            out += KeyColon("      ", group) + "\n";
            for (size_t k = j; k < fields.size(); ++k) {
                if (!written[k] && fields[k].Section == section && fields[k].Group == group) {
                    WriteField(out, "        ", fields[k]);
                    written[k] = true;
                }
            }
        }
    }
}

}  // namespace

std::string FieldText(const SheetField& f)
{
    if (f.Value.empty())
        return std::string(NoneText);
    if (f.Mark.empty() || f.Mark == DerivedMark)
        return f.Value;
    return f.Value + " " + f.Mark;
}

std::string ProblemLine(std::string_view file, const SiteProblem& problem)
{
    std::string line(file);
    if (problem.At.Line > 0) {
        line += ":" + std::to_string(problem.At.Line);
        if (problem.At.Column > 0)
            line += ":" + std::to_string(problem.At.Column);
    }
    return Printable(line + ": " + problem.Text);
}

SiteFile ReadSiteFile(std::string_view text, std::vector<SiteProblem>& problems)
{
    // An editor's byte-order mark is no part of the text: columns count from after it.
    if (text.starts_with(ByteOrderMark))
        text.remove_prefix(ByteOrderMark.size());
    if (const auto [at, what] = NotText(text); at != std::string_view::npos) {
        problems.push_back({PlaceAt(text, at), std::string(what)});
        return {};
    }
    if (const size_t cr = LoneCr(text); cr != text.npos) {
        problems.push_back(
            {PlaceAt(text, cr), "a line ends in CR alone: a site file's lines end in LF or CR LF"});
        return {};
    }
    if (const size_t second = SecondDocument(text); second != text.npos) {
        problems.push_back({PlaceAt(text, second),
                            "a second YAML document: a site file holds one, and the rest would be ignored"});
        return {};
    }
    YAML::Node root;
    try {
        root = YAML::Load(std::string(text));
    } catch (const YAML::Exception& e) {
        // YAML indents with blanks only; its own message for a tab says nothing of it.
        if (const size_t tab = IndentingTab(text); tab != text.npos)
            problems.push_back({PlaceAt(text, tab), "a tab in the indentation: YAML indents with blanks"});
        else
            problems.push_back({PlaceOf(text, e.mark), "not YAML: " + e.msg});
        return {};
    }
    return Reader(text, problems).Read(root);
}

std::string SiteFileText(std::span<const ExportedController> controllers)
{
    std::string out = std::string(VersionKey) + ": 1\n" + std::string(ControllersKey) + ":";
    if (controllers.empty())
        return out + " {}\n";
    out += "\n";
    for (const ExportedController& c : controllers)
        WriteController(out, c);
    return out;
}

}  // namespace quor::site
