// The help documents' RTF reader on any bytes: it ends, keeps its limits and
// hands out well-formed UTF-8 no longer than three bytes per input byte.
#include <cstdlib>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "help/RtfReader.h"
#include "help/RtfTokenizer.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

bool WellFormedUtf8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80                 ? 1
                         : c >= 0xC2 && c <= 0xDF ? 2
                         : c >= 0xE0 && c <= 0xEF ? 3
                         : c >= 0xF0 && c <= 0xF4 ? 4
                                                  : 0;
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

void CheckParagraph(const rtf::Paragraph& p, size_t& textBytes)
{
    FUZZ_CHECK(std::abs(p.LeftIndent) <= rtf::MaxIndent && std::abs(p.FirstIndent) <= rtf::MaxIndent);
    FUZZ_CHECK(p.SpaceBefore >= 0 && p.SpaceBefore <= rtf::MaxIndent);
    FUZZ_CHECK(p.SpaceAfter >= 0 && p.SpaceAfter <= rtf::MaxIndent);
    FUZZ_CHECK(p.Tabs.size() <= rtf::MaxTabs);
    for (int tab : p.Tabs) {
        FUZZ_CHECK(tab >= 0 && tab <= rtf::MaxIndent);
    }
    for (const rtf::Run& r : p.Runs) {
        FUZZ_CHECK(!r.Text.empty());
        FUZZ_CHECK(WellFormedUtf8(r.Text));
        FUZZ_CHECK(r.Format.HalfPoints >= 1 && r.Format.HalfPoints <= rtf::MaxHalfPoints);
        textBytes += r.Text.size();
    }
}

}  // namespace

QUOR_FUZZ_TARGET(help_rtf)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    size_t tokens = 0;
    rtf::RtfTokenizer tokenizer(input);
    while (tokenizer.Next().Kind != rtf::TokenKind::End) {
        ++tokens;
        FUZZ_CHECK(tokens <= size);
    }

    const rtf::Document doc = rtf::ReadRtf(input);
    size_t textBytes = 0;
    for (const rtf::Paragraph& p : doc.Paragraphs) {
        CheckParagraph(p, textBytes);
    }
    FUZZ_CHECK(textBytes <= 3 * size);
    FUZZ_CHECK(doc.Fonts.size() <= rtf::MaxFonts);
    for (const auto& [number, name] : doc.Fonts) {
        FUZZ_CHECK(!name.empty() && name.size() <= rtf::MaxFontNameBytes + 3 && WellFormedUtf8(name));
    }
    return 0;
}
