#pragma once
// Digits-only edit fields whose length limit is for what the installer types:
// a stored value the program shows there is shown whole, and so is stored
// back whole when the field is left.

#include <QRect>
#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace quor {

class TTypedDigits : public QValidator {
    Q_OBJECT
public:
    TTypedDigits(int maxTyped, QObject* parent);
    State validate(QString& text, int& pos) const override;

    const int MaxTyped;
    QString Shown;  // the program's text, allowed whatever its length
};

// An edit field that takes at most maxTyped digits from the keyboard.
QLineEdit* MakeNumberEdit(QWidget* parent, const char* name, QRect geometry, int maxTyped);
// Shows text as it is, unless the installer is typing there (ShowUnlessTyping).
// QLineEdit::setText would cut it to maxLength, so the field first makes room
// for it; typing stays limited by the validator.
void ShowWhole(QLineEdit* edit, const QString& text);

}  // namespace quor
