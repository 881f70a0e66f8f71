#pragma once
// The installer's answers to the two modal dialogs of the report command,
// given before the command opens them.

#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/LokDlg.h"

namespace quor::test {

// Acts on the modal dialog of type D as soon as it is open. The context
// (the window) bounds it: an action left over when it closes is dropped.
template <class D> void WhenOpen(QObject* context, std::function<void(D*)> act, int tries = 100)
{
    QTimer::singleShot(0, context, [context, act, tries] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            act(dialog);
        } else if (tries > 0) {
            WhenOpen<D>(context, act, tries - 1);
        }
    });
}

// The installer describes the location and confirms with "Zapisz";
// offered receives the text the dialog showed first.
inline void Locate(QObject* context, const QString& location, QString* offered = nullptr)
{
    WhenOpen<TLokalizDlg>(context, [location, offered](TLokalizDlg* dialog) {
        if (offered != nullptr) {
            *offered = dialog->LokEdit->text();
        }
        dialog->LokEdit->setText(location);
        dialog->OKBtn->click();
    });
}

// The installer takes the file dialog's proposal, which lands in proposed,
// or types a path of their own.
inline void ChooseFile(QObject* context, QString* proposed, const QString& typed = {})
{
    WhenOpen<QFileDialog>(context, [proposed, typed](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        *proposed = name->text();
        if (!typed.isEmpty()) {
            name->setText(typed);
        }
        // As the dialog's "Save" does; its own accept() is not public.
        static_cast<QDialog*>(dialog)->accept();
    });
}

}  // namespace quor::test
