// The numbered words of the sheets: a door's tab, an airlock, a locker module row.

#include <gtest/gtest.h>

#include "sheets/SheetWords.h"

namespace quor {
namespace {

TEST(SheetWords, NumberedWords)
{
    const struct {
        std::string Got;
        const char* Want;
    } cases[] = {
        {words::DoorSection(0), "Przejście 1"}, {words::DoorSection(7), "Przejście 8"},
        {words::AirlockName(1), "Śluza 1"},     {words::AirlockName(4), "Śluza 4"},
        {words::ModuleRow(0), "Moduł 0"},       {words::ModuleRow(10), "Moduł A"},
        {words::ModuleRow(15), "Moduł F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Want);
}

}  // namespace
}  // namespace quor
