#pragma once
// The help documents built into the program: their window titles and their
// RTF bytes, each block exactly its document's length.

#include <string_view>

namespace quor {

struct HelpDoc {
    std::string_view Title;  // UTF-8
    std::string_view Rtf;
};

inline constexpr int HelpEthernet = 0;    // opened from the Ethernet pane
inline constexpr int HelpController = 1;  // opened from the bus-device pane
inline constexpr int HelpDocCount = 2;

// The document of an index; nullptr for an index that names none.
const HelpDoc* FindHelpDoc(int index);

}  // namespace quor
