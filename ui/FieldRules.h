#pragma once
// What the sheets' free-text fields take as typed, and when a field counts as
// left: its text is stored then, and not while the installer is only away.

#include <functional>

#include <QObject>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace quor {

// Refuses characters Windows-1250 cannot hold (Cyrillic, emoji): the field
// never shows what would be stored as '?'.
class TCp1250Text : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& text, int& pos) const override;
};

// Digits with one comma or point: a time in seconds.
class TTimeText : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& text, int& pos) const override;
};

// Runs store when the installer presses Enter in edit, or when the focus
// moves from field (edit, or the editable drop-down holding it) to another
// control of window. Focus leaving for another window (an error box a tick
// raised, Alt-Tab) stores nothing: the half-typed text stays to be finished.
void StoreOnLeave(QWidget* field, QLineEdit* edit, QWidget* window, std::function<void()> store);

// Whether the installer is typing into edit: it has the focus, and text typed
// since the program last showed or stored its value.
bool Typing(const QLineEdit* edit);
// Shows the program's text, unless the installer is typing there: a refresh
// never takes away text that has not been stored yet.
void ShowUnlessTyping(QLineEdit* edit, const QString& text);

}  // namespace quor
