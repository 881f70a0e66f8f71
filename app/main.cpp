// quorConfig: the configurator of the quor access-control controllers.
#include <exception>

#include <QApplication>
#include <QMessageBox>

#include "QuitOnSignal.h"
#include "ui/LokDlg.h"
#include "ui/WBMain.h"
#include "ui/WHelp.h"

namespace {

// The last resort for an error nothing else caught.
void ShowException(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, "quorConfig", text, QMessageBox::NoButton);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        quor::TMainWin MainWin;
        quor::THelpWin HelpWin(&MainWin);
        quor::TLokalizDlg LokalizDlg(&MainWin);
        MainWin.HelpWin = &HelpWin;
        MainWin.LokalizDlg = &LokalizDlg;
        QuitOnSignal quitOnSignal(MainWin);
        MainWin.show();
        QApplication::exec();
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QString());
    }
    return 0;
}
