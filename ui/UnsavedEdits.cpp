// Edits not yet written: the write buttons' mark, the question before an act
// that would lose them, and keeping them while the controller's mode is away.
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>

#include "link/DevMode.h"
#include "sheets/EditTexts.h"
#include "ui/WBMain.h"

namespace quor {

void TMainWin::HoldConfig(bool held)
{
    ConfigHeld = held;
    RecordsAsRead = held ? KindRecords(Records) : std::vector<CfgBlock>{};
    ShowUnsavedMark();
}

bool TMainWin::UnsavedEdits()
{
    return Parked.has_value() || (ConfigHeld && KindRecords(Records) != RecordsAsRead);
}

void TMainWin::ShowUnsavedMark()
{
    const bool unsaved = UnsavedEdits();
    for (QPushButton* button : {DWrCfgBtn, LWrCfgBtn, LsWrCfgBtn}) {
        if (button->property("unsaved").toBool() == unsaved) {
            continue;
        }
        // The window's style sheet draws the mark; the caption stays as it is.
        button->setProperty("unsaved", unsaved);
        button->setToolTip(unsaved ? QStringLiteral("Niezapisane zmiany") : QString());
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

bool TMainWin::MayDropEdits()
{
    const UdpDev* dev = SelectedDevice();
    return dev == nullptr || !UnsavedEdits() || Ask(QString::fromStdString(UnsavedEditsQuestion(dev->Id)));
}

bool TMainWin::Ask(const QString& text)
{
    ++BoxesOpen;
    const auto closed = qScopeGuard([this] { --BoxesOpen; });
    if (QuestionHook) {
        return QuestionHook(text);
    }
    QMessageBox box(QMessageBox::Question, windowTitle(), text, QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes;
}

// A logout or a shutdown (SIGTERM, SIGINT) closes the window without a question.
void TMainWin::closeEvent(QCloseEvent* e)
{
    if (property("closingBySignal").toBool() || MayDropEdits()) {
        e->accept();
    } else {
        e->ignore();
    }
}

// Kept only when there is something to keep: without edits the controller is
// simply read again once selected, as before.
void TMainWin::ParkEdits(const UdpDev& dev)
{
    if (Parked || !ConfigHeld || KindRecords(Records) == RecordsAsRead) {
        return;
    }
    Parked = ParkedEdits{dev.Id, ShapeOf(BusDevTable), RecordsAsRead, KindRecords(Records), dev.ModeName()};
}

// The controller is back in a mode that lets it be read. Its configuration is
// read; when it is the one the edits were made on, the edits take its place
// and the sheet returns with them. Otherwise they would overwrite a change
// made meanwhile (at the web page, say): the installer is told, and the sheet
// shows what the controller holds now.
void TMainWin::ReturnParked(UdpDev& dev)
{
    const bool read = LoadController(dev);
    if (!read) {
        UpdateSheets(dev);
        throw UErr{&dev, ErrConfigRead, 0};
    }
    const ParkedEdits parked = *std::exchange(Parked, std::nullopt);
    const bool same =
        parked.Id == dev.Id && parked.Shape == ShapeOf(BusDevTable) && KindRecords(Records) == parked.AsRead;
    if (same) {
        RestoreKindRecords(Records, parked.Edited);
    }
    UpdateSheets(dev);
    ShowUnsavedMark();
    if (!same) {
        ShowError(QString::fromStdString(EditsDroppedChangedText(dev.Id, parked.ModeAway)));
    }
}

}  // namespace quor
