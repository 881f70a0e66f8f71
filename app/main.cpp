// quorConfig: the configurator of the quor access-control controllers.
#include <cstdio>
#include <exception>
#include <system_error>

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

// The last resort for an error nothing else caught. It is said on stderr too,
// for whoever started the program from a terminal or a script; SIGTERM closes it.
void ShowException(const QString& text)
{
    fprintf(stderr, "quorconfig: %s\n", qPrintable(text));
    QMessageBox box(QMessageBox::Critical, "quorConfig", text, QMessageBox::NoButton);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    const QuitOnSignal quitOnSignal(box);
    box.exec();
}

// The port is taken: most likely by another quorConfig, or a quorctl, on this
// PC. A second window would only fight the first one for the replies.
QString PortTakenText()
{
    return QStringLiteral("quorConfig jest już uruchomiony na tym komputerze: port UDP %1 jest zajęty "
                          "(przez inny quorConfig albo quorctl).")
        .arg(quor::QuorPort);
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
        quor::UdpEndpoint udp(quor::QuorPort, line.Interface.toStdString());
        try {
            udp.Open();
        } catch (const std::system_error& e) {
            if (e.code() != std::errc::address_in_use)
                throw;
            ShowException(PortTakenText());
            return 1;
        }
        quor::TMainWin MainWin(&udp, nullptr, line.Scope);
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
