#include "ui/SelectorFill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace quor {

void ShowSelector(QComboBox* sel, const SelectorView& view)
{
    const QSignalBlocker quiet(sel);
    sel->clear();
    for (const SelectorItem& item : view.Items) {
        sel->addItem(QString::fromStdString(item.Text), QVariant::fromValue<uint>(item.Value));
    }
    sel->setCurrentIndex(view.Current);
}

void ShowItems(QComboBox* sel, const std::vector<std::string>& texts, int current)
{
    const QSignalBlocker quiet(sel);
    sel->clear();
    for (const std::string& text : texts) {
        sel->addItem(QString::fromStdString(text));
    }
    sel->setCurrentIndex(current);
}

void ShowCheck(QCheckBox* box, CheckState state)
{
    const QSignalBlocker quiet(box);
    box->setEnabled(state.Enabled);
    box->setChecked(state.Checked);
}

ResRef SelectedValue(const QComboBox* sel)
{
    const int i = sel->currentIndex();
    if (i < 0) {
        return NoRef;
    }
    return static_cast<ResRef>(sel->itemData(i).toUInt());
}

}  // namespace quor
