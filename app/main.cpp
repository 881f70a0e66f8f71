// quorConfig: the configurator of the quor access-control controllers.
#include <exception>
#include <memory>

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include "CommandLine.h"
#include "QuitOnSignal.h"
#include "QuorVersion.h"
#include "link/EndpointError.h"
#include "link/UdpEndpoint.h"
#include "ui/LokDlg.h"
#include "ui/QtPolish.h"
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
    // The window speaks Polish whatever the desktop's language, and so do
    // Qt's own dialogs and buttons (Debian's qt6-translations-l10n). Without
    // the file they stay in English; the program works all the same.
    QTranslator qtPolish;
    quor::LoadQtPolish(qtPolish);
    try {
        const CommandLine line = ReadCommandLine(app);
        // With no interface named, the window opens its endpoint itself, as it always has.
        std::unique_ptr<quor::UdpEndpoint> chosenUdp;
        if (!line.Interface.isEmpty())
            chosenUdp = std::make_unique<quor::UdpEndpoint>(quor::QuorPort, line.Interface.toStdString());
        quor::TMainWin MainWin(chosenUdp.get(), nullptr, line.Scope);
        quor::THelpWin HelpWin(&MainWin);
        quor::TLokalizDlg LokalizDlg(&MainWin);
        MainWin.HelpWin = &HelpWin;
        MainWin.LokalizDlg = &LokalizDlg;
        QuitOnSignal quitOnSignal(MainWin);
        MainWin.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        ShowException(QString::fromStdString(quor::PolishText(e)));
    } catch (...) {
        ShowException(QString());
    }
    // A script or desktop that started the program learns that it failed.
    return 1;
}
