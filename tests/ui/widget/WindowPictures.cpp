// Renders the main window from emulated controllers on the in-memory LAN, as
// the installer sees it after selecting a device.
//   ui_pictures [FOLDER]            the documentation's pictures (default: the
//                                   repository's docs/): a door controller in mode
//                                   Instalacja, a lift controller and a lockers
//                                   controller of the shipped site scenario, and
//                                   the help window with each of its documents
//   ui_pictures FOLDER SCENARIO     one picture per device of the scenario,
//                                   FOLDER/NAME.png; the text of an error box that
//                                   selecting it raised is printed beside its name
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

// Selects row i of the Ethernet list as a click would and saves the window.
bool Shoot(TMainWin& win, int i, const QString& path)
{
    win.EthLstBox->setCurrentRow(i);
    emit win.EthLstBox->Click();
    QApplication::processEvents();
    return win.grab().save(path);
}

bool ShootIp(TMainWin& win, const std::string& ip, const QString& path)
{
    for (int i = 0; i < win.UdpDevSet.Count; ++i) {
        if (win.UdpDevSet.Dev[i].IpText() == ip) {
            return Shoot(win, i, path);
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

int DocsPictures(const QDir& out)
{
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
        if (!ShootIp(win, p.Ip, path)) {
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

// Every device of the scenario; an error box belongs to the picture, as the
// window shows it to the installer, so it is reported, not counted.
int ScenarioPictures(const QDir& out, const std::string& scenarioPath)
{
    quor::sim::VirtualLan lan;
    auto& pc = lan.AddPc();
    quor::sim::Scenario scenario = quor::sim::LoadScenario(scenarioPath);
    quor::sim::AttachAll(scenario, lan);

    QString boxes;
    TMainWin::ErrorHook = [&boxes](const QString& text) { boxes += text.trimmed().replace('\n', ' '); };
    TMainWin win(&pc);
    win.show();
    int failures = win.UdpDevSet.Count == static_cast<int>(scenario.Devices.size()) ? 0 : 1;
    for (int i = 0; i < win.UdpDevSet.Count; ++i) {
        const QString name = QString::fromStdString(quor::DevName(win.UdpDevSet.Dev[i].Id));
        const QString path = out.filePath(name + ".png");
        boxes.clear();
        if (!Shoot(win, i, path)) {
            std::fprintf(stderr, "could not render %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s%s%s\n", qPrintable(path), boxes.isEmpty() ? "" : "  error box: ", qPrintable(boxes));
    }
    TMainWin::ErrorHook = nullptr;
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QUOR_DOCS_DIR));
    try {
        return argc > 2 ? ScenarioPictures(out, argv[2]) : DocsPictures(out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ui_pictures: %s\n", e.what());
        return 1;
    }
}
