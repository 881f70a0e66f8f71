#include "ui/NumberEdit.h"

#include <algorithm>

#include <QLineEdit>

#include "sheets/NumberText.h"
#include "ui/FieldRules.h"
#include "ui/LayoutKit.h"

namespace quor {

TTypedDigits::TTypedDigits(int maxTyped, QObject* parent) : QValidator(parent), MaxTyped(maxTyped)
{
}

// A keystroke that would leave refused text is undone. The line edit undoes
// only edits of text that was not refused itself, which is why the program's
// own text, however long, has to count as allowed.
QValidator::State TTypedDigits::validate(QString& text, int&) const
{
    const std::string typed = text.toStdString();
    const std::string shown = Shown.toStdString();
    return TypedDigitsAllowed(typed, shown, static_cast<size_t>(MaxTyped)) ? Acceptable : Invalid;
}

QLineEdit* MakeNumberEdit(QWidget* parent, const char* name, QRect geometry, int maxTyped)
{
    QLineEdit* edit = MakeEdit(parent, name, geometry, maxTyped);
    edit->setValidator(new TTypedDigits(maxTyped, edit));
    return edit;
}

void ShowWhole(QLineEdit* edit, const QString& text)
{
    if (Typing(edit)) {
        return;
    }
    auto* typed = edit->findChild<TTypedDigits*>(QString(), Qt::FindDirectChildrenOnly);
    const int limit = typed != nullptr ? typed->MaxTyped : edit->maxLength();
    if (typed != nullptr) {
        typed->Shown = text;
    }
    edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    edit->setText(text);
}

}  // namespace quor
