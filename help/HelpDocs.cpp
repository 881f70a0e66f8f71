#include "help/HelpDocs.h"

#include <array>

namespace quor {

// Generated from help/docs/*.rtf by EmbedFile.cmake.
std::string_view EthernetRtf();
std::string_view ControllerRtf();

const HelpDoc* FindHelpDoc(int index)
{
    static const std::array<HelpDoc, HelpDocCount> Docs = {{
        {"Okno Ethernet", EthernetRtf()},
        {"Okno kontrolera", ControllerRtf()},
    }};
    return index >= 0 && index < HelpDocCount ? &Docs[static_cast<size_t>(index)] : nullptr;
}

}  // namespace quor
