// quorConfig: the configurator of the quor access-control controllers.
#include <exception>
#include <memory>

#include <QApplication>
#include <QMessageBox>

#include "CommandLine.h"
#include "QuitOnSignal.h"
#include "QuorVersion.h"
#include "link/UdpEndpoint.h"
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
    QCoreApplication::setApplicationName(QStringLiteral("quorconfig"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUOR_VERSION));
    if (AsksForTextOnly(argc, argv)) {
        const QCoreApplication textOnly(argc, argv);
        ReadCommandLine(textOnly);
        return 0;
    }
    QApplication app(argc, argv);
    try {
        const CommandLine line = ReadCommandLine(app);
        // With no interface named, the window opens its endpoint itself, as it always has.
        std::unique_ptr<quor::UdpEndpoint> chosenUdp;
        if (!line.Interface.isEmpty())
            chosenUdp = std::make_unique<quor::UdpEndpoint>(quor::QuorPort, line.Interface.toStdString());
        quor::TMainWin MainWin(chosenUdp.get());
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
