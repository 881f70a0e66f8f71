// Renders the main window from emulated controllers on the in-memory LAN, as
// the installer sees it after selecting a device.
//   ui_pictures [FOLDER]            the documentation's pictures (default: the
//                                   repository's docs/): a door controller in mode
//                                   Instalacja, a lift controller and a lockers
//                                   controller of the shipped site scenario, the
//                                   help window with each of its documents, and
//                                   the installer at work, cut to where it happens:
//                                   the bolt selector open (edit-bolt.png), the
//                                   write confirmed (edit-write.png), a locker
//                                   number typed into another range (edit-lockers.png)
//   ui_pictures FOLDER SCENARIO     one picture per device of the scenario,
//                                   FOLDER/NAME.png; the text of an error box that
//                                   selecting it raised is printed beside its name
#include <cstdio>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

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
constexpr const char* LockersIp = "10.45.1.14";
constexpr Picture Pictures[] = {{DoorIp, "door.png"}, {"10.45.1.13", "lift.png"}, {LockersIp, "lockers.png"}};
// What the editing pictures pick for the bolt of door 1.
const QString EditedBolt = QStringLiteral("K01_01101:Out2");

// Selects row i of the Ethernet list as a click would: moving the current
// row selects the device; a click on the current row selects it again.
void Select(TMainWin& win, int i)
{
    if (win.EthLstBox->currentRow() != i) {
        win.EthLstBox->setCurrentRow(i);
    } else {
        emit win.EthLstBox->Click();
    }
    QApplication::processEvents();
}

bool SelectIp(TMainWin& win, const std::string& ip)
{
    for (int i = 0; i < win.UdpDevSet.Count; ++i) {
        if (win.UdpDevSet.Dev[i].IpText() == ip) {
            Select(win, i);
            return true;
        }
    }
    return false;
}

// Selects row i and saves the window.
bool Shoot(TMainWin& win, int i, const QString& path)
{
    Select(win, i);
    return win.grab().save(path);
}

bool ShootIp(TMainWin& win, const std::string& ip, const QString& path)
{
    return SelectIp(win, ip) && win.grab().save(path);
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

// Where w lies in the window, with a margin around it.
QRect Around(const TMainWin& win, const QWidget* w, int margin)
{
    return QRect(w->mapTo(&win, QPoint(0, 0)), w->size()).adjusted(-margin, -margin, margin, margin);
}

// The window cut to area; an open popup, a window of its own, is painted
// over it where the installer sees it, and the cut grows to hold it whole.
QPixmap Cut(TMainWin& win, QRect area, QWidget* popup = nullptr)
{
    QPixmap shot = win.grab();
    if (popup != nullptr && popup->isVisible()) {
        const QRect at(popup->geometry().topLeft() - win.mapToGlobal(QPoint(0, 0)), popup->size());
        QPainter painter(&shot);
        painter.drawPixmap(at.topLeft(), popup->grab());
        area |= at.adjusted(-8, -8, 8, 8);
    }
    return shot.copy(area & shot.rect());
}

bool Save(const QPixmap& picture, const QDir& out, const char* file)
{
    const QString path = out.filePath(QString::fromLatin1(file));
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "could not render %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The bolt selector of door 1 open, offering the outputs no other slot uses;
// then another output picked.
bool ShootBoltChoice(TMainWin& win, const QDir& out)
{
    QComboBox* bolt = win.DOut0Sel;
    bolt->showPopup();
    QApplication::processEvents();
    const bool saved =
        Save(Cut(win, Around(win, win.DDoorGrpBox, 8), bolt->view()->window()), out, "edit-bolt.png");
    bolt->hidePopup();
    const int picked = bolt->findText(EditedBolt);
    if (picked < 0) {
        std::fprintf(stderr, "the bolt selector does not offer %s\n", qPrintable(EditedBolt));
        return false;
    }
    bolt->setCurrentIndex(picked);
    emit bolt->activated(picked);
    return saved;
}

// The door sheet written, shot while the bar confirms the write.
bool ShootWrite(TMainWin& win, const QDir& out)
{
    QPixmap writing;
    QObject watch;
    QObject::connect(win.DWrCfgProgrBar, &QProgressBar::valueChanged, &watch, [&](int position) {
        if (position == 60) {
            writing = Cut(win, Around(win, win.DWrCfgBtn, 8) | Around(win, win.DWrCfgProgrBar, 8));
        }
    });
    win.DWrCfgBtn->click();
    return Save(writing, out, "edit-write.png");
}

// Locker number 10 typed where 17 stood, inside the first row's range: both
// clashing numbers turn yellow. The first four rows show it.
bool ShootLockerClash(TMainWin& win, const QDir& out)
{
    QLineEdit* from = win.LsSetBegEd[1];
    from->setFocus();
    from->selectAll();
    QTest::keyClicks(from, "10");
    QRect rows = Around(win, win.LsLockersGrpBox, 8);
    rows.setBottom(Around(win, win.LsSetEndEd[3], 8).bottom());
    return Save(Cut(win, rows), out, "edit-lockers.png");
}

// The installer at work on the door and lockers controllers.
int EditingPictures(TMainWin& win, const QDir& out)
{
    int failures = 0;
    if (!SelectIp(win, DoorIp) || !ShootBoltChoice(win, out) || !ShootWrite(win, out)) {
        ++failures;
    }
    if (!SelectIp(win, LockersIp) || !ShootLockerClash(win, out)) {
        ++failures;
    }
    return failures;
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
    failures += EditingPictures(win, out);
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
