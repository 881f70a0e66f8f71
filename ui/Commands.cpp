// The installer's acts and no others: a command runs once per press, and a
// drop-down changes only while it has the focus.
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTabBar>

#include "ui/WBMain.h"

namespace quor {

namespace {

// Eats the wheel over a control that does not have the keyboard focus: the
// pointer resting on a closed list while the installer scrolls changes
// nothing, and scrolls nothing else either.
class TWheelGuard : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::Wheel) {
            return false;
        }
        const auto* control = qobject_cast<QWidget*>(watched);
        return control != nullptr && !control->hasFocus();
    }
};

}  // namespace

void TMainWin::GuardWheel()
{
    auto* guard = new TWheelGuard(this);
    for (QComboBox* sel : findChildren<QComboBox*>()) {
        // Not WheelFocus: the wheel does not take the focus either.
        sel->setFocusPolicy(Qt::StrongFocus);
        sel->installEventFilter(guard);
    }
    for (QTabBar* tabs : findChildren<QTabBar*>()) {
        tabs->installEventFilter(guard);
    }
}

// The window is blocked while a command talks to the controller; a second
// click on its button (a double-click, an impatient press) waits in the
// event queue meanwhile. It is delivered here, before the buttons come back,
// and finds them disabled. Ticks wait too: a command runs its own.
void TMainWin::RunCommand(void (TMainWin::*command)())
{
    if (CommandRunning) {
        return;
    }
    CommandRunning = true;
    ShowCommandButtons();
    (this->*command)();
    QCoreApplication::processEvents();
    CommandRunning = false;
    ShowCommandButtons();
}

void TMainWin::ShowCommandButtons()
{
    const bool idle = !CommandRunning;
    DevDelLostBtn->setEnabled(idle && DelLostOffered);
    DevReplaceBtn->setEnabled(idle && ReplaceOffered);
    for (QPushButton* button : {EthSearchBtn, DWrCfgBtn, LWrCfgBtn, LsWrCfgBtn, DRapBtn}) {
        button->setEnabled(idle);
    }
}

}  // namespace quor
