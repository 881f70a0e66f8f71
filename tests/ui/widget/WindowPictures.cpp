// Renders the windows for the documentation: a door controller in mode
// Instalacja, a lift controller and a lockers controller of the shipped site
// scenario, each as the installer sees it after selecting it, and the help
// window with each of its documents.
//   ui_pictures [folder]   (default: the repository's docs/)
#include <cstdio>
#include <string>

#include <QApplication>
#include <QDir>
#include <QListWidget>

#include "sim/Scenario.h"
#include "sim/VirtualLan.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"
#include "ui/WHelp.h"

namespace {

using quor::TMainWin;

constexpr uint8_t ModeInstalacja = 3;

struct Picture {
    const char* Ip;
    const char* File;
};

// The door controller with the train number and the mixed bus; it is in
// Serwis in the scenario and is switched to Instalacja for its picture.
constexpr const char* DoorIp = "10.45.1.11";
constexpr Picture Pictures[] = {
    {DoorIp, "door.png"}, {"10.45.1.13", "lift.png"}, {"10.45.1.14", "lockers.png"}};

bool Shoot(TMainWin& win, const std::string& ip, const QString& path)
{
    for (int i = 0; i < win.UdpDevSet.Count; ++i) {
        if (win.UdpDevSet.Dev[i].IpText() == ip) {
            win.EthLstBox->setCurrentRow(i);
            emit win.EthLstBox->Click();
            QApplication::processEvents();
            return win.grab().save(path);
        }
    }
    return false;
}

struct HelpPicture {
    int Doc;
    const char* File;
};

constexpr HelpPicture HelpPictures[] = {{0, "help-ethernet.png"}, {1, "help-controller.png"}};

bool ShootHelp(quor::THelpWin& help, int index, const QString& path)
{
    help.LoadHelpDoc(index);
    QApplication::processEvents();
    return help.grab().save(path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QUOR_DOCS_DIR));

    quor::sim::VirtualLan lan;
    auto& pc = lan.AddPc();
    quor::sim::Scenario site = quor::sim::LoadScenario(QUOR_SCENARIO_DIR "/site.json");
    for (size_t i = 0; i < site.Devices.size(); ++i) {
        if (site.Ips[i] == DoorIp) {
            site.Devices[i]->Mode = static_cast<uint8_t>((site.Devices[i]->Mode & ~3) | ModeInstalacja);
        }
    }
    quor::sim::AttachAll(site, lan);

    int failures = 0;
    TMainWin::ErrorHook = [&failures](const QString& text) {
        std::fprintf(stderr, "error box: %s\n", qPrintable(text));
        ++failures;
    };
    TMainWin win(&pc);
    win.show();
    for (const Picture& p : Pictures) {
        const QString path = out.filePath(QString::fromLatin1(p.File));
        if (!Shoot(win, p.Ip, path)) {
            std::fprintf(stderr, "could not render %s\n", qPrintable(path));
            ++failures;
        }
    }
    quor::THelpWin help(&win);
    help.show();
    for (const HelpPicture& p : HelpPictures) {
        const QString path = out.filePath(QString::fromLatin1(p.File));
        if (!ShootHelp(help, p.Doc, path)) {
            std::fprintf(stderr, "could not render %s\n", qPrintable(path));
            ++failures;
        }
    }
    TMainWin::ErrorHook = nullptr;
    return failures == 0 ? 0 : 1;
}
