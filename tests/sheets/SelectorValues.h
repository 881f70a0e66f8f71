#pragma once
// The values a selector offers, in order, for comparing with a list of references.
#include <cstdint>
#include <vector>

#include "sheets/Selectors.h"

namespace quor::test {

inline std::vector<uint16_t> Values(const SelectorView& view)
{
    std::vector<uint16_t> values;
    for (const auto& item : view.Items) {
        values.push_back(item.Value);
    }
    return values;
}

}  // namespace quor::test
