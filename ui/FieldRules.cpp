#include "ui/FieldRules.h"

#include <string>

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include "sheets/HalfSeconds.h"
#include "text/Cp1250.h"

namespace quor {

namespace {

class TLeaveWatch : public QObject {
public:
    TLeaveWatch(QWidget* field, QWidget* window, std::function<void()> store)
        : QObject(field), Field(field), Window(window), Store(std::move(store))
    {
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == Field && e->type() == QEvent::FocusOut &&
            MovedWithinWindow(*static_cast<QFocusEvent*>(e))) {
            Store();
        }
        return false;
    }

private:
    // By the time the field hears of it, the application's focus widget is
    // already the one taking the focus.
    bool MovedWithinWindow(const QFocusEvent& e) const
    {
        if (e.reason() == Qt::ActiveWindowFocusReason || e.reason() == Qt::PopupFocusReason) {
            return false;
        }
        QWidget* next = QApplication::focusWidget();
        return next != nullptr && next != Field && !Field->isAncestorOf(next) && Window->isAncestorOf(next);
    }

    QWidget* const Field;
    QWidget* const Window;
    const std::function<void()> Store;
};

}  // namespace

QValidator::State TCp1250Text::validate(QString& text, int&) const
{
    std::string utf8 = text.toStdString();
    // U+FFFD comes only from the program itself, for a stored byte the code
    // page leaves undefined; the installer may edit around it.
    for (size_t at = utf8.find("\xEF\xBF\xBD"); at != std::string::npos; at = utf8.find("\xEF\xBF\xBD", at)) {
        utf8.erase(at, 3);
    }
    return HoldsCp1250(utf8) ? Acceptable : Invalid;
}

QValidator::State TTimeText::validate(QString& text, int&) const
{
    return TypedTimeAllowed(text.toStdString()) ? Acceptable : Invalid;
}

void StoreOnLeave(QWidget* field, QLineEdit* edit, QWidget* window, std::function<void()> store)
{
    auto stored = [edit, store = std::move(store)] {
        edit->setModified(false);
        store();
    };
    QObject::connect(edit, &QLineEdit::returnPressed, field, stored);
    field->installEventFilter(new TLeaveWatch(field, window, std::move(stored)));
}

bool Typing(const QLineEdit* edit)
{
    return edit->hasFocus() && edit->isModified();
}

void ShowUnlessTyping(QLineEdit* edit, const QString& text)
{
    if (!Typing(edit)) {
        edit->setText(text);
    }
}

}  // namespace quor
