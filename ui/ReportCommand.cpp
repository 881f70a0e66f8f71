// The report command: where the controller is installed, which file, and the
// report of the door configuration held, written there in one piece.
#include <string>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>

#include "report/RapName.h"
#include "report/RapText.h"
#include "ui/LokDlg.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

std::chrono::year_month_day CalendarDate(const QDate& date)
{
    return {std::chrono::year{date.year()}, std::chrono::month{static_cast<unsigned>(date.month())},
            std::chrono::day{static_cast<unsigned>(date.day())}};
}

char RegionalDateSeparator()
{
    return DateSeparator(QLocale().dateFormat(QLocale::ShortFormat).toStdString());
}

}  // namespace

void TMainWin::ConnectReport()
{
    connect(DRapBtn, &QPushButton::clicked, this, [this] { RunCommand(&TMainWin::DRapBtnClick); });
}

// The name proposed carries the date at the start of the command, the report
// the date at its end: a report confirmed after midnight shows both days.
void TMainWin::DRapBtnClick()
{
    const UdpDev* dev = SelectedDevice();
    if (dev == nullptr) {
        return;
    }
    const std::string name = ProposedRapName(RegionalDateSeparator(), CalendarDate(Today()), dev->Id);
    SaveRapDlg->selectFile(QString::fromStdString(name));
    if (!AskLocation() || SaveRapDlg->exec() != QDialog::Accepted) {
        return;
    }
    const QStringList chosen = SaveRapDlg->selectedFiles();
    if (chosen.isEmpty()) {
        return;
    }
    // The dialog appends the extension only to names without a dot, which a
    // dot as date separator defeats.
    const QString path = QString::fromStdString(WithRapExtension(chosen.first().toStdString()));
    Guarded([this, &path] { SaveRap(path); });
}

// The text typed stays in the dialog for the next report.
bool TMainWin::AskLocation()
{
    if (LokalizDlg == nullptr) {
        LokalizDlg = new TLokalizDlg(this);
    }
    return LokalizDlg->exec() == QDialog::Accepted;
}

// The report goes to a temporary file beside the chosen one and takes its
// name only once complete, so a failure never leaves half a report there
// nor spoils the file it was to replace.
void TMainWin::SaveRap(const QString& path)
{
    const std::string bytes =
        RapText(DoorCfgSet, BusDevTable, LokalizDlg->LokEdit->text().toStdString(), CalendarDate(Today()));
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit()) {
        return;
    }
    ShowError(QStringLiteral("Nie można zapisać raportu w pliku\n%1\n\n%2")
                  .arg(QDir::toNativeSeparators(path), file.errorString()));
}

}  // namespace quor
