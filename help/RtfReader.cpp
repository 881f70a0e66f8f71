// A stack of character and paragraph states, pushed at every group and popped
// at its end, and a table of the control words that change them.
#include "help/RtfReader.h"

#include <algorithm>
#include <array>

#include "help/RtfTokenizer.h"
#include "text/Cp1250.h"

namespace quor::rtf {

namespace {

enum class Destination {
    Text,       // shown
    FontTable,  // read for the family names only
    Skipped,
};

struct ParaFormat {
    int LeftIndent = 0;
    int FirstIndent = 0;
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    std::vector<int> Tabs;
};

struct GroupState {
    CharFormat Char;
    ParaFormat Para;
    Destination Dest = Destination::Text;
    int FallbackBytes = 1;  // \uc: bytes that follow each \u for readers without Unicode
};

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : Tokens(rtf) { Stack.reserve(MaxDepth); }

    Document Read();

private:
    using Handler = void (RtfReader::*)(const Token&);
    struct Word {
        std::string_view Name;
        Handler Run;
    };
    static const std::array<Word, 31> Words;

    GroupState& Top() { return Stack.back(); }
    void OpenGroup();
    void CloseGroup();
    void ControlWord(const Token& t);
    void ControlSymbol(char symbol);
    void Text(std::string_view bytes);
    void Char(char32_t c);
    void EndParagraph();
    void EndFontName();

    void Par(const Token&) { EndParagraph(); }
    void Pard(const Token&) { Top().Para = ParaFormat{}; }
    void Plain(const Token&)
    {
        Top().Char = CharFormat{};
        Top().Char.Font = DefaultFont;
    }
    void Bold(const Token& t) { Top().Char.Bold = !t.HasParam || t.Param != 0; }
    void Italic(const Token& t) { Top().Char.Italic = !t.HasParam || t.Param != 0; }
    void FontSize(const Token& t);
    void LeftIndent(const Token& t) { Top().Para.LeftIndent = std::clamp(t.Param, -MaxIndent, MaxIndent); }
    void FirstIndent(const Token& t) { Top().Para.FirstIndent = std::clamp(t.Param, -MaxIndent, MaxIndent); }
    void SpaceBefore(const Token& t) { Top().Para.SpaceBefore = std::clamp(t.Param, 0, MaxIndent); }
    void SpaceAfter(const Token& t) { Top().Para.SpaceAfter = std::clamp(t.Param, 0, MaxIndent); }
    void TabStop(const Token& t);
    void Tab(const Token&) { Char(U'\t'); }
    void Line(const Token&) { Char(U'\n'); }
    void Unicode(const Token& t);
    void FallbackCount(const Token& t) { Top().FallbackBytes = std::clamp(t.Param, 0, MaxFallbackBytes); }
    void Font(const Token& t);
    void DefaultFontWord(const Token& t);
    void FontTable(const Token&) { Top().Dest = Destination::FontTable; }
    void Skip(const Token&) { Top().Dest = Destination::Skipped; }
    template <char32_t C> void Symbol(const Token&) { Char(C); }

    RtfTokenizer Tokens;
    std::vector<GroupState> Stack{GroupState{}};
    size_t TooDeep = 0;  // groups open beyond MaxDepth
    int SkipLeft = 0;    // fallback bytes still to pass over after a \u
    int DefaultFont = -1;
    int FontNumber = -1;  // the font-table entry being read
    std::string FontName;
    Paragraph Current;
    Document Doc;
};

const std::array<RtfReader::Word, 31> RtfReader::Words = {{
    {"b", &RtfReader::Bold},
    {"bullet", &RtfReader::Symbol<U'\u2022'>},
    {"colortbl", &RtfReader::Skip},
    {"deff", &RtfReader::DefaultFontWord},
    {"emdash", &RtfReader::Symbol<U'\u2014'>},
    {"endash", &RtfReader::Symbol<U'\u2013'>},
    {"f", &RtfReader::Font},
    {"fi", &RtfReader::FirstIndent},
    {"fonttbl", &RtfReader::FontTable},
    {"footer", &RtfReader::Skip},
    {"fs", &RtfReader::FontSize},
    {"header", &RtfReader::Skip},
    {"i", &RtfReader::Italic},
    {"info", &RtfReader::Skip},
    {"ldblquote", &RtfReader::Symbol<U'\u201C'>},
    {"li", &RtfReader::LeftIndent},
    {"line", &RtfReader::Line},
    {"lquote", &RtfReader::Symbol<U'\u2018'>},
    {"par", &RtfReader::Par},
    {"pard", &RtfReader::Pard},
    {"pict", &RtfReader::Skip},
    {"plain", &RtfReader::Plain},
    {"rdblquote", &RtfReader::Symbol<U'\u201D'>},
    {"rquote", &RtfReader::Symbol<U'\u2019'>},
    {"sa", &RtfReader::SpaceAfter},
    {"sb", &RtfReader::SpaceBefore},
    {"stylesheet", &RtfReader::Skip},
    {"tab", &RtfReader::Tab},
    {"tx", &RtfReader::TabStop},
    {"u", &RtfReader::Unicode},
    {"uc", &RtfReader::FallbackCount},
}};

Document RtfReader::Read()
{
    for (Token t = Tokens.Next(); t.Kind != TokenKind::End; t = Tokens.Next()) {
        if (t.Kind == TokenKind::GroupOpen) {
            OpenGroup();
            continue;
        }
        if (t.Kind == TokenKind::GroupClose) {
            CloseGroup();
            continue;
        }
        if (TooDeep > 0 || Top().Dest == Destination::Skipped) {
            continue;
        }
        if (SkipLeft > 0) {
            // The fallback of a \u: a byte, a \'hh, or one control word or symbol.
            if (t.Kind == TokenKind::Text) {
                const size_t n = std::min(t.Word.size(), static_cast<size_t>(SkipLeft));
                SkipLeft -= static_cast<int>(n);
                Text(t.Word.substr(n));
            } else {
                --SkipLeft;
            }
            continue;
        }
        switch (t.Kind) {
        case TokenKind::ControlWord:
            ControlWord(t);
            break;
        case TokenKind::ControlSymbol:
            ControlSymbol(t.Symbol);
            break;
        case TokenKind::HexByte:
            Char(FromCp1250(t.Byte));
            break;
        case TokenKind::Text:
            Text(t.Word);
            break;
        default:
            break;
        }
    }
    // A document cut short still shows its last paragraph.
    if (!Current.Runs.empty()) {
        EndParagraph();
    }
    return std::move(Doc);
}

void RtfReader::OpenGroup()
{
    SkipLeft = 0;  // a brace ends a \u's fallback
    if (TooDeep > 0 || Stack.size() >= MaxDepth) {
        ++TooDeep;
        return;
    }
    Stack.push_back(Top());
}

void RtfReader::CloseGroup()
{
    SkipLeft = 0;
    if (TooDeep > 0) {
        --TooDeep;
        return;
    }
    if (Stack.size() == 1) {
        return;  // a brace too many
    }
    if (Top().Dest == Destination::FontTable) {
        EndFontName();
    }
    Stack.pop_back();
}

void RtfReader::ControlWord(const Token& t)
{
    const auto word =
        std::find_if(Words.begin(), Words.end(), [&t](const Word& w) { return w.Name == t.Word; });
    if (word != Words.end() && word->Name == t.Word) {
        (this->*word->Run)(t);
    }
}

void RtfReader::ControlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        Char(static_cast<unsigned char>(symbol));
        break;
    case '~':
        Char(U'\u00A0');
        break;
    case '_':
        Char(U'\u2011');
        break;
    case '\n':
        EndParagraph();
        break;
    case '*':
        // Destinations marked as ignorable hold nothing this reader shows.
        Top().Dest = Destination::Skipped;
        break;
    default:
        break;  // the optional hyphen and the rest show nothing
    }
}

void RtfReader::Text(std::string_view bytes)
{
    for (const char b : bytes) {
        Char(FromCp1250(static_cast<uint8_t>(b)));
    }
}

void RtfReader::Char(char32_t c)
{
    GroupState& g = Top();
    if (g.Dest == Destination::FontTable) {
        if (c == U';') {
            EndFontName();
        } else if (FontName.size() < MaxFontNameBytes) {
            AppendUtf8(FontName, c);
        }
        return;
    }
    if (c < U' ' && c != U'\t' && c != U'\n') {
        return;
    }
    if (Current.Runs.empty() || !(Current.Runs.back().Format == g.Char)) {
        Current.Runs.emplace_back().Format = g.Char;
    }
    AppendUtf8(Current.Runs.back().Text, c);
}

void RtfReader::EndParagraph()
{
    const GroupState& g = Top();
    Current.Mark = g.Char;
    Current.LeftIndent = g.Para.LeftIndent;
    Current.FirstIndent = g.Para.FirstIndent;
    Current.SpaceBefore = g.Para.SpaceBefore;
    Current.SpaceAfter = g.Para.SpaceAfter;
    Current.Tabs = g.Para.Tabs;
    Doc.Paragraphs.push_back(std::move(Current));
    Current = Paragraph{};
}

void RtfReader::EndFontName()
{
    const auto first = FontName.find_first_not_of(' ');
    if (FontNumber >= 0 && first != std::string::npos &&
        (Doc.Fonts.size() < MaxFonts || Doc.Fonts.contains(FontNumber))) {
        Doc.Fonts[FontNumber] = FontName.substr(first, FontName.find_last_not_of(' ') + 1 - first);
    }
    FontName.clear();
    FontNumber = -1;
}

void RtfReader::FontSize(const Token& t)
{
    Top().Char.HalfPoints = t.HasParam && t.Param > 0 ? std::min(t.Param, MaxHalfPoints) : 24;
}

void RtfReader::TabStop(const Token& t)
{
    std::vector<int>& tabs = Top().Para.Tabs;
    if (t.HasParam && tabs.size() < MaxTabs) {
        tabs.push_back(std::clamp(t.Param, 0, MaxIndent));
    }
}

void RtfReader::Unicode(const Token& t)
{
    if (!t.HasParam) {
        return;
    }
    // Values above 32767 are written as their 16-bit negative.
    const int32_t value = t.Param < 0 ? t.Param + 65536 : t.Param;
    Char(value < 0 ? Replacement : static_cast<char32_t>(value));
    SkipLeft = Top().FallbackBytes;
}

void RtfReader::Font(const Token& t)
{
    if (Top().Dest == Destination::FontTable) {
        EndFontName();
        FontNumber = t.HasParam ? t.Param : -1;
    } else {
        Top().Char.Font = t.HasParam ? t.Param : DefaultFont;
    }
}

void RtfReader::DefaultFontWord(const Token& t)
{
    if (t.HasParam) {
        DefaultFont = t.Param;
        Top().Char.Font = t.Param;
    }
}

}  // namespace

Document ReadRtf(std::string_view rtf)
{
    return RtfReader(rtf).Read();
}

std::string PlainText(const Paragraph& p)
{
    std::string text;
    for (const Run& r : p.Runs) {
        text += r.Text;
    }
    return text;
}

}  // namespace quor::rtf
