// The main window's frame, the Ethernet pane and the bus-device pane.
#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>

#include "ui/LayoutKit.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// Client area at 96 dots per inch; the installer cannot resize the window.
constexpr int ClientWidth = 1041;
constexpr int ClientHeight = 662;

// The narrow drop-down lists of the layout lose letters to the paddings of
// the desktop's usual style (Fusion cuts "Normalne" in the door type); the
// toolkit's Windows style has the slimmest frames and arrows. It is set for
// the whole program, so the dialogs and message boxes match the window, and
// here, where every window of the program and of its tests is built.
void UseTightStyle()
{
    static const QString tight = QStringLiteral("windows");
    if (QApplication::style()->name() != tight) {
        QApplication::setStyle(QStyleFactory::create(tight));
    }
}

}  // namespace

void TMainWin::BuildWindow()
{
    setObjectName("MainWin");
    UseTightStyle();
    setFixedSize(ClientWidth, ClientHeight);
    // Pixel positions were laid out for 8-point text at 96 dots per inch.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    setFont(font);
    // Group captions sit in the frame's top line, and a check box's caption
    // close to its box, as the pixel positions expect.
    setStyleSheet(
        QStringLiteral("QWidget { font: 8pt \"Liberation Sans\"; }"
                       "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0px; }"
                       "QCheckBox { spacing: 3px; }"
                       // A write button whose sheet holds edits not yet written.
                       "QPushButton[unsaved=\"true\"] { font-weight: bold; }"));

    EthSelBox = MakeGroup(this, "EthSelBox", " Ethernet ", {16, 8, 281, 209});
    DevSelBox = MakeGroup(this, "DevSelBox", "", {16, 232, 281, 417});
    SheetSet = Place<QTabWidget>(this, "SheetSet", {309, 8, 716, 641});
    DoorSheet = new QWidget;
    DoorSheet->setObjectName("DoorSheet");
    LiftSheet = new QWidget;
    LiftSheet->setObjectName("LiftSheet");
    LockersSheet = new QWidget;
    LockersSheet->setObjectName("LockersSheet");
    SheetSet->addTab(DoorSheet, QStringLiteral("Przejścia"));
    SheetSet->addTab(LiftSheet, QStringLiteral("Winda"));
    SheetSet->addTab(LockersSheet, QStringLiteral("Szafki"));
    SheetSet->setCurrentIndex(0);

    BuildEthPane();
    BuildDevPane();
    BuildDoorSheet();
    BuildLiftSheet();
    BuildLockersSheet();
}

void TMainWin::BuildEthPane()
{
    QWidget* box = EthSelBox;
    EthDevLb = MakeLabel(box, "EthDevLb", QStringLiteral("Urządzenie"), {32, 20, 55, 14});
    EthIpAddrLb = MakeLabel(box, "EthIpAddrLb", "Adres IP", {104, 20, 41, 14});
    EthStateLb = MakeLabel(box, "EthStateLb", "Stan", {176, 20, 22, 14});
    EthLstBox = Place<TRowList>(box, "EthLstBox", {24, 40, 233, 113});
    EthHelpBtn = MakeButton(box, "EthHelpBtn", "Pomoc", {24, 168, 57, 25});
    EthWwwBtn = MakeButton(box, "EthWwwBtn", "www", {88, 168, 57, 25});
    EthSearchBtn = MakeButton(box, "EthSearchBtn", QStringLiteral("Przeszukaj sieć"), {152, 168, 105, 25});
}

void TMainWin::BuildDevPane()
{
    QWidget* box = DevSelBox;
    DevListBox = Place<QListWidget>(box, "DevListBox", {16, 24, 249, 243});
    DevHelpBtn = MakeButton(box, "DevHelpBtn", "Pomoc", {32, 288, 65, 25});
    DevDelLostBtn = MakeButton(box, "DevDelLostBtn", QStringLiteral("Usuń nieaktywne"), {152, 288, 105, 25});
    DevDelLostBtn->setEnabled(false);
    DevReplBox = MakeGroup(box, "DevReplBox", QStringLiteral(" Zastępowanie "), {8, 328, 265, 73});

    QWidget* repl = DevReplBox;
    DevReplOldLb = MakeLabel(repl, "DevReplOldLb", "Stary", {34, 20, 26, 14});
    DevReplNewLb = MakeLabel(repl, "DevReplNewLb", "Nowy", {105, 20, 29, 14});
    DevReplaceBtn = MakeButton(repl, "DevReplaceBtn", QStringLiteral("Zastąp"), {184, 32, 65, 25});
    // A pair of names, "R05_20103 <-- R05_20104", needs 4 pixels more than a
    // 153-pixel list leaves beside its arrow even in the tight style; the list
    // grows towards "Zastąp", which keeps its place.
    DevReplCb = MakeSelector(repl, "DevReplCb", {16, 40, 161, 22});
    for (QWidget* w : {static_cast<QWidget*>(DevReplOldLb), static_cast<QWidget*>(DevReplNewLb),
                       static_cast<QWidget*>(DevReplaceBtn), static_cast<QWidget*>(DevReplCb)}) {
        w->setEnabled(false);
    }
}

void TMainWin::GatherRows()
{
    DOutRows = {{{DOut0Lb, DOut0Sel, DOut0Cb},
                 {DOut1Lb, DOut1Sel, DOut1Cb},
                 {DOut2Lb, DOut2Sel, DOut2Cb},
                 {DOut3Lb, DOut3Sel, DOut3Cb}}};
    DInRows = {{{DIn0Lb, DIn0Sel, DIn0Cb},
                {DIn1Lb, DIn1Sel, DIn1Cb},
                {DIn2Lb, DIn2Sel, DIn2Cb},
                {DIn3Lb, DIn3Sel, DIn3Cb},
                {DIn4Lb, DIn4Sel, DIn4Cb}}};
    DRdRows = {{{DRd0Lb, DRd0Sel, DRd0Cb},
                {DRd1Lb, DRd1Sel, DRd1Cb},
                {DRd2Lb, DRd2Sel, DRd2Cb},
                {DRd3Lb, DRd3Sel, DRd3Cb}}};
    LOutSetRows = {{{LOutSet0Lb, LOutSet0Sel, nullptr}}};
    LInRows = {{{}, {LIn1Lb, LIn1Sel, LIn1Cb}, {}, {LIn3Lb, LIn3Sel, LIn3Cb}}};
    LRdRows = {{{LRd0Lb, LRd0Sel, nullptr},
                {LRd1Lb, LRd1Sel, nullptr},
                {LRd2Lb, LRd2Sel, nullptr},
                {LRd3Lb, LRd3Sel, nullptr}}};
    LsInRows = {{{}, {}, {LsIn2Lb, LsIn2Sel, LsIn2Cb}, {LsIn3Lb, LsIn3Sel, LsIn3Cb}}};
    LsRdRows = {{{LsRd0Lb, LsRd0Sel, nullptr},
                 {LsRd1Lb, LsRd1Sel, nullptr},
                 {LsRd2Lb, LsRd2Sel, nullptr},
                 {LsRd3Lb, LsRd3Sel, nullptr}}};
}

}  // namespace quor
