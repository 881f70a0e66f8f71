#pragma once
// Selectors and check boxes filled from what the sheet logic says they show.
// The program's filling raises none of the installer's events.

#include <string>
#include <vector>

#include "sheets/Selectors.h"

class QCheckBox;
class QComboBox;

namespace quor {

void ShowSelector(QComboBox* sel, const SelectorView& view);
void ShowItems(QComboBox* sel, const std::vector<std::string>& texts, int current);
void ShowCheck(QCheckBox* box, CheckState state);
// The value of the selected item; none when nothing is selected.
ResRef SelectedValue(const QComboBox* sel);

}  // namespace quor
