#pragma once
// Finding the slot of the control that raised an event in a sheet's rows,
// and the text of an edit field for the sheet logic.

#include <array>
#include <cstddef>
#include <string>

#include <QLineEdit>

#include "ui/WBMain.h"

namespace quor {

// -1 when no row of the group holds the control.
template <size_t N> int SlotOfSelector(const std::array<SelectorRow, N>& rows, const QObject* sender)
{
    for (size_t i = 0; i < N; ++i) {
        if (rows[i].Sel != nullptr && rows[i].Sel == sender) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

template <size_t N> int SlotOfCheck(const std::array<SelectorRow, N>& rows, const QObject* sender)
{
    for (size_t i = 0; i < N; ++i) {
        if (rows[i].Cb != nullptr && rows[i].Cb == sender) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// UTF-8, as the sheet logic reads text.
inline std::string TextOf(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

}  // namespace quor
