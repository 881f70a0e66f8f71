// The main window's layout, control by control: name, kind, container,
// place and size at 96 dots per inch, caption, input limits and state at
// start. The rows are the window's layout tables, in their order.
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QValidator>

#include "tests/ui/widget/WindowLan.h"
#include "ui/TabControl.h"

namespace quor::test {

namespace {

enum class Kind { Group, Label, List, Button, DropDown, EditableCombo, Check, Edit, Progress, Tabs, Pages };

enum Flags : unsigned {
    Plain = 0,
    Disabled = 1,
    Hidden = 2,
    RightAligned = 4,
    DigitsOnly = 8,
};

constexpr int NoLimit = 32767;  // QLineEdit's own maximum

struct Control {
    std::string Name;
    Kind What;
    const char* Container;
    QRect Place;
    QString Caption;  // group title, label, button or check-box text
    unsigned State = Plain;
    int MaxLength = NoLimit;  // edit fields
};

QString Hex(int k)
{
    return QString::number(k, 16).toUpper();
}

// A selector row of a door group: selector, right-aligned label, NC box.
void NcRow(std::vector<Control>& t, const char* box, const std::string& slot, const QString& caption, int top)
{
    t.push_back({slot + "Sel", Kind::DropDown, box, {112, top, 113, 22}, {}});
    t.push_back({slot + "Lb", Kind::Label, box, {16, top + 4, 86, 14}, caption, RightAligned});
    t.push_back({slot + "Cb", Kind::Check, box, {240, top + 4, 33, 17}, "NC"});
}

// Reader rows of the lift and lockers sheets: selector and number label.
void ReaderRows(std::vector<Control>& t, const char* box, const std::string& prefix)
{
    for (int i = 0; i < 4; ++i) {
        const std::string rd = prefix + "Rd" + std::to_string(i);
        t.push_back({rd + "Sel", Kind::DropDown, box, {24, 24 + 32 * i, 113, 22}, {}});
        t.push_back({rd + "Lb", Kind::Label, box, {11, 28 + 32 * i, 9, 14}, QString("%1:").arg(i + 1)});
    }
}

void TopAndPanes(std::vector<Control>& t)
{
    t.push_back({"EthSelBox", Kind::Group, "MainWin", {16, 8, 281, 209}, " Ethernet "});
    t.push_back({"DevSelBox", Kind::Group, "MainWin", {16, 232, 281, 417}, ""});
    // With no device on the LAN the Ethernet pane hides the sheets.
    t.push_back({"SheetSet", Kind::Pages, "MainWin", {309, 8, 716, 641}, {}, Hidden});

    t.push_back({"EthDevLb", Kind::Label, "EthSelBox", {32, 20, 55, 14}, "Urządzenie"});
    t.push_back({"EthIpAddrLb", Kind::Label, "EthSelBox", {104, 20, 41, 14}, "Adres IP"});
    t.push_back({"EthStateLb", Kind::Label, "EthSelBox", {176, 20, 22, 14}, "Stan"});
    t.push_back({"EthLstBox", Kind::List, "EthSelBox", {24, 40, 233, 113}, {}});
    t.push_back({"EthHelpBtn", Kind::Button, "EthSelBox", {24, 168, 57, 25}, "Pomoc"});
    t.push_back({"EthWwwBtn", Kind::Button, "EthSelBox", {88, 168, 57, 25}, "www", Disabled});  // no device
    t.push_back({"EthSearchBtn", Kind::Button, "EthSelBox", {152, 168, 105, 25}, "Przeszukaj sieć"});

    t.push_back({"DevListBox", Kind::List, "DevSelBox", {16, 24, 249, 243}, {}});
    t.push_back({"DevHelpBtn", Kind::Button, "DevSelBox", {32, 288, 65, 25}, "Pomoc"});
    t.push_back(
        {"DevDelLostBtn", Kind::Button, "DevSelBox", {152, 288, 105, 25}, "Usuń nieaktywne", Disabled});
    t.push_back({"DevReplBox", Kind::Group, "DevSelBox", {8, 328, 265, 73}, " Zastępowanie "});
    t.push_back({"DevReplOldLb", Kind::Label, "DevReplBox", {34, 20, 26, 14}, "Stary", Disabled});
    t.push_back({"DevReplNewLb", Kind::Label, "DevReplBox", {105, 20, 29, 14}, "Nowy", Disabled});
    t.push_back({"DevReplaceBtn", Kind::Button, "DevReplBox", {184, 32, 65, 25}, "Zastąp", Disabled});
    // 8 pixels wider than laid out, so that a pair of names is not cut off.
    t.push_back({"DevReplCb", Kind::DropDown, "DevReplBox", {16, 40, 161, 22}, {}, Disabled});
}

void DoorSheet(std::vector<Control>& t)
{
    t.push_back({"DDoorTabs", Kind::Tabs, "DoorSheet", {5, 0, 692, 561}, {}});
    t.push_back({"DTrainNrEd", Kind::Edit, "DoorSheet", {248, 576, 41, 22}, {}, DigitsOnly, 4});
    t.push_back({"DRapBtn", Kind::Button, "DoorSheet", {376, 576, 75, 25}, "Raport"});
    t.push_back({"DWrCfgBtn", Kind::Button, "DoorSheet", {496, 576, 121, 25}, "Zapisz konfigurację"});
    t.push_back({"DWrCfgProgrBar", Kind::Progress, "DoorSheet", {618, 579, 65, 17}, {}, Hidden});
    t.push_back({"DTrainNrLb", Kind::Label, "DoorSheet", {184, 580, 55, 14}, "Nr pociągu:"});

    t.push_back({"DDoorGrpBox", Kind::Group, "DDoorTabs", {16, 48, 281, 81}, " Drzwi "});
    t.push_back({"DRdGrpBox", Kind::Group, "DDoorTabs", {312, 48, 209, 177}, " Czytniki "});
    t.push_back({"DInGrpBox", Kind::Group, "DDoorTabs", {16, 136, 281, 145}, " Wejścia "});
    t.push_back({"DAirLockGrpBox", Kind::Group, "DDoorTabs", {312, 232, 161, 65}, " Śluzy "});
    t.push_back({"DOutGrpBox", Kind::Group, "DDoorTabs", {16, 288, 281, 113}, " Wyjścia "});
    t.push_back({"DTstGrpBox", Kind::Group, "DDoorTabs", {312, 303, 201, 177}, " Testowanie "});

    NcRow(t, "DDoorGrpBox", "DOut0", "Rygiel:", 16);
    NcRow(t, "DDoorGrpBox", "DIn1", "Czujnik otwarcia:", 48);
    NcRow(t, "DInGrpBox", "DIn0", "Przycisk wyjścia:", 16);
    NcRow(t, "DInGrpBox", "DIn2", "Czujka alarmowa:", 48);
    NcRow(t, "DInGrpBox", "DIn3", "Sabotaż:", 80);
    NcRow(t, "DInGrpBox", "DIn4", "Ewakuacja:", 112);
    NcRow(t, "DOutGrpBox", "DOut1", "Przypomnienie:", 16);
    NcRow(t, "DOutGrpBox", "DOut2", "Alarm:", 48);
    NcRow(t, "DOutGrpBox", "DOut3", "CCTV:", 80);

    t.push_back({"DRdOutLb", Kind::Label, "DRdGrpBox", {144, 16, 41, 14}, " Wyjście"});
    for (int i = 0; i < 4; ++i) {
        const std::string rd = "DRd" + std::to_string(i);
        const int top = 40 + 32 * i;
        t.push_back({rd + "Sel", Kind::DropDown, "DRdGrpBox", {24, top, 113, 22}, {}});
        t.push_back({rd + "Lb", Kind::Label, "DRdGrpBox", {8, top + 4, 9, 14}, QString("%1:").arg(i + 1)});
        t.push_back({rd + "Cb", Kind::Check, "DRdGrpBox", {160, top + 4, 17, 17}, ""});
    }

    t.push_back({"DSluzaSel", Kind::EditableCombo, "DAirLockGrpBox", {32, 24, 113, 22}, {}});

    const char* tst = "DTstGrpBox";
    t.push_back({"DKlamkaCb", Kind::Check, tst, {24, 25, 161, 17}, "Otwieranie klamką"});
    t.push_back({"DFullTimCb", Kind::Check, tst, {24, 48, 161, 17}, "Pełny impuls rygla"});
    // 20 pixels wider than laid out, so that "Zablokowane" is not cut off.
    t.push_back({"DTypeCb", Kind::DropDown, tst, {96, 83, 93, 22}, {}});
    t.push_back({"DTypeLb", Kind::Label, tst, {16, 88, 74, 14}, "Typ przejścia:", RightAligned});
    t.push_back({"DRygTimEd", Kind::Edit, tst, {128, 111, 33, 22}, {}, Plain, 4});
    t.push_back({"DRygTimLb", Kind::Label, tst, {16, 115, 106, 14}, "Impuls otwarcia rygla:", RightAligned});
    t.push_back({"DRygTimsLb", Kind::Label, tst, {171, 115, 6, 14}, "s"});
    t.push_back({"DOpenTimEd", Kind::Edit, tst, {128, 143, 33, 22}, {}, Plain, 4});
    t.push_back({"DOpenTimLb", Kind::Label, tst, {16, 147, 107, 14}, "Dozw. czas otwarcia:", RightAligned});
    t.push_back({"DOpenTimsLb", Kind::Label, tst, {171, 147, 6, 14}, "s"});
}

void LiftSheet(std::vector<Control>& t)
{
    t.push_back({"LOutSet1Lb", Kind::Label, "LiftSheet", {87, 36, 42, 14}, "quor-L8:", RightAligned});
    t.push_back({"LRdGrpBox", Kind::Group, "LiftSheet", {352, 55, 161, 161}, " Czytniki "});
    t.push_back({"StopGrpBox", Kind::Group, "LiftSheet", {32, 56, 281, 113}, " Winda "});
    t.push_back({"LInGrpBox", Kind::Group, "LiftSheet", {32, 184, 281, 89}, " Wejścia "});
    t.push_back({"LTstGrpBox", Kind::Group, "LiftSheet", {103, 527, 297, 73}, " Testowanie "});
    t.push_back({"LWrCfgBtn", Kind::Button, "LiftSheet", {456, 560, 137, 25}, "Zapisz konfigurację"});
    t.push_back({"LWrCfgProgrBar", Kind::Progress, "LiftSheet", {456, 592, 137, 17}, {}, Hidden});

    t.push_back({"LOutSet0Sel", Kind::DropDown, "StopGrpBox", {112, 32, 113, 22}, {}});
    t.push_back({"LOutSet0Lb", Kind::Label, "StopGrpBox", {47, 36, 42, 14}, "quor-L8:", RightAligned});
    t.push_back({"LIn1Sel", Kind::DropDown, "StopGrpBox", {112, 64, 113, 22}, {}});
    t.push_back({"LIn1Lb", Kind::Label, "StopGrpBox", {24, 68, 65, 14}, "Wybór piętra:", RightAligned});
    t.push_back({"LIn1Cb", Kind::Check, "StopGrpBox", {240, 68, 33, 17}, "NC"});

    t.push_back({"LIn3Sel", Kind::DropDown, "LInGrpBox", {112, 36, 113, 22}, {}});
    t.push_back({"LIn3Cb", Kind::Check, "LInGrpBox", {240, 36, 33, 17}, "NC"});
    t.push_back({"LIn3Lb", Kind::Label, "LInGrpBox", {24, 40, 65, 14}, "Sabotaż:", RightAligned});

    ReaderRows(t, "LRdGrpBox", "L");

    t.push_back({"LTimEd", Kind::Edit, "LTstGrpBox", {200, 31, 33, 22}, {}, Plain, 4});
    t.push_back({"LTimLb",
                 Kind::Label,
                 "LTstGrpBox",
                 {24, 35, 158, 14},
                 "Czas odblokowania przycisków:",
                 RightAligned});
    t.push_back({"LTimsLb", Kind::Label, "LTstGrpBox", {243, 35, 6, 14}, "s"});
}

void LockersSheet(std::vector<Control>& t)
{
    t.push_back({"LsLockersGrpBox", Kind::Group, "LockersSheet", {29, 15, 276, 578}, " Szafki "});
    t.push_back({"LsRoomNameEd", Kind::Edit, "LockersSheet", {477, 16, 169, 22}, {}, Plain, 15});
    t.push_back({"LrRoomNameLb",
                 Kind::Label,
                 "LockersSheet",
                 {353, 20, 113, 14},
                 "Nazwa pomieszczenia:",
                 RightAligned});
    t.push_back({"LsInGrpBox", Kind::Group, "LockersSheet", {352, 56, 297, 113}, " Wejścia "});
    t.push_back({"LsRdGrpBox", Kind::Group, "LockersSheet", {352, 183, 161, 161}, " Czytniki "});
    t.push_back({"LsTstGrpBox", Kind::Group, "LockersSheet", {351, 367, 297, 122}, " Testowanie "});
    t.push_back({"LsWrCfgBtn", Kind::Button, "LockersSheet", {456, 560, 137, 25}, "Zapisz konfigurację"});
    t.push_back({"LsWrCfgProgrBar", Kind::Progress, "LockersSheet", {456, 592, 137, 17}, {}, Hidden});

    const char* box = "LsLockersGrpBox";
    t.push_back({"LsNumbersLbl", Kind::Label, box, {168, 16, 81, 14}, "Numery szafek"});
    t.push_back({"LsModLbl", Kind::Label, box, {56, 32, 33, 14}, "Moduł"});
    t.push_back({"LsFromLbl", Kind::Label, box, {176, 32, 25, 14}, "Od:"});
    t.push_back({"LsToLbl", Kind::Label, box, {224, 32, 25, 14}, "Do:"});
    for (int k = 0; k < 16; ++k) {
        const std::string h = Hex(k).toStdString();
        const int top = 56 + 32 * k;
        t.push_back({"LsOutSet" + h + "Sel", Kind::DropDown, box, {24, top, 113, 22}, {}});
        t.push_back({"LsSet" + h + "BegEd", Kind::Edit, box, {168, top, 33, 22}, {}, DigitsOnly, 4});
        t.push_back({"LsSet" + h + "EndEd", Kind::Edit, box, {216, top, 33, 22}, {}, DigitsOnly, 4});
    }

    t.push_back({"LsIn2Sel", Kind::DropDown, "LsInGrpBox", {120, 36, 113, 22}, {}});
    t.push_back({"LsIn2Cb", Kind::Check, "LsInGrpBox", {248, 36, 33, 17}, "NC"});
    t.push_back({"LsIn2Lb", Kind::Label, "LsInGrpBox", {16, 40, 89, 14}, "Czujka Alarmowa:", RightAligned});
    t.push_back({"LsIn3Sel", Kind::DropDown, "LsInGrpBox", {120, 64, 113, 22}, {}});
    t.push_back({"LsIn3Lb", Kind::Label, "LsInGrpBox", {16, 68, 89, 14}, "Sabotaż:", RightAligned});
    t.push_back({"LsIn3Cb", Kind::Check, "LsInGrpBox", {248, 68, 33, 17}, "NC"});

    ReaderRows(t, "LsRdGrpBox", "Ls");

    const char* tst = "LsTstGrpBox";
    t.push_back({"LsStartNrEd", Kind::Edit, tst, {200, 32, 33, 22}, {}, DigitsOnly, 4});
    t.push_back({"LsStartNrLb", Kind::Label, tst, {21, 36, 161, 14}, "Test od szafki nr:", RightAligned});
    t.push_back({"LsTimEd", Kind::Edit, tst, {200, 71, 33, 22}, {}, Plain, 4});
    t.push_back(
        {"LsTimLb", Kind::Label, tst, {16, 75, 166, 14}, "Długość impulsu otwarcia szafki:", RightAligned});
    t.push_back({"LsTimsLb", Kind::Label, tst, {243, 75, 6, 14}, "s"});
}

const std::vector<Control>& Layout()
{
    static const std::vector<Control> table = [] {
        std::vector<Control> t;
        TopAndPanes(t);
        DoorSheet(t);
        LiftSheet(t);
        LockersSheet(t);
        return t;
    }();
    return table;
}

bool IsKind(const QWidget* w, Kind kind)
{
    switch (kind) {
    case Kind::Group:
        return qobject_cast<const QGroupBox*>(w) != nullptr;
    case Kind::Label:
        return qobject_cast<const QLabel*>(w) != nullptr;
    case Kind::List:
        return qobject_cast<const QListWidget*>(w) != nullptr;
    case Kind::Button:
        return qobject_cast<const QPushButton*>(w) != nullptr;
    case Kind::DropDown:
        return qobject_cast<const QComboBox*>(w) != nullptr &&
               !static_cast<const QComboBox*>(w)->isEditable();
    case Kind::EditableCombo:
        return qobject_cast<const QComboBox*>(w) != nullptr && static_cast<const QComboBox*>(w)->isEditable();
    case Kind::Check:
        return qobject_cast<const QCheckBox*>(w) != nullptr;
    case Kind::Edit:
        return qobject_cast<const QLineEdit*>(w) != nullptr;
    case Kind::Progress:
        return qobject_cast<const QProgressBar*>(w) != nullptr;
    case Kind::Tabs:
        return qobject_cast<const TTabControl*>(w) != nullptr;
    case Kind::Pages:
        return qobject_cast<const QTabWidget*>(w) != nullptr;
    }
    return false;
}

QString CaptionOf(const QWidget* w)
{
    if (auto* g = qobject_cast<const QGroupBox*>(w)) {
        return g->title();
    }
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        return l->text();
    }
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        return b->text();
    }
    return {};
}

// A label keeps its place, except that a caption a pixel or two wider in the
// window's font than in the layout's widens it away from the edge its text is
// aligned to.
bool PlacedLabel(QRect actual, const Control& c)
{
    constexpr int MetricSlack = 2;
    const bool right = (c.State & RightAligned) != 0;
    const bool edgeKept = right ? actual.right() == c.Place.right() : actual.left() == c.Place.left();
    return edgeKept && actual.top() == c.Place.top() && actual.height() == c.Place.height() &&
           actual.width() >= c.Place.width() && actual.width() <= c.Place.width() + MetricSlack;
}

bool AcceptsOnlyDigits(const QLineEdit* edit)
{
    const QValidator* v = edit->validator();
    if (v == nullptr) {
        return false;
    }
    QString digits = "0123";
    QString letter = "12a";
    QString sign = "-1";
    QString comma = "1,5";
    int pos = 0;
    return v->validate(digits, pos) == QValidator::Acceptable &&
           v->validate(letter, pos) == QValidator::Invalid && v->validate(sign, pos) == QValidator::Invalid &&
           v->validate(comma, pos) == QValidator::Invalid;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // The window as it opens with no device on the LAN.
    void initTestCase()
    {
        Errors = std::make_unique<ErrorCatcher>();
        Win = Lan.Open();
        Win->show();
        QVERIFY(QTest::qWaitForWindowExposed(Win.get()));
    }

    void cleanupTestCase()
    {
        Win.reset();
        QVERIFY(Errors->Texts.isEmpty());
        Errors.reset();
    }

    void window()
    {
        QCOMPARE(Win->objectName(), QString("MainWin"));
        QCOMPARE(Win->windowTitle(), QString("quorConfig 2.1.0"));
        QCOMPARE(Win->size(), QSize(1041, 662));
        QCOMPARE(Win->minimumSize(), QSize(1041, 662));
        QCOMPARE(Win->maximumSize(), QSize(1041, 662));
        QCOMPARE(Win->font().family(), QString("Liberation Sans"));
        QCOMPARE(Win->font().pointSize(), 8);
        // Shown in the middle of the screen, give or take the window frame.
        constexpr int FrameSlack = 8;
        const QPoint offCentre = Win->geometry().center() - Win->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= FrameSlack,
                 qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void controls_data()
    {
        QTest::addColumn<int>("row");
        const std::vector<Control>& t = Layout();
        for (size_t i = 0; i < t.size(); ++i) {
            QTest::newRow(t[i].Name.c_str()) << static_cast<int>(i);
        }
    }

    void controls()
    {
        QFETCH(int, row);
        const Control& c = Layout()[row];
        auto* w = Win->findChild<QWidget*>(QString::fromStdString(c.Name));
        QVERIFY2(w != nullptr, "no such control");
        QVERIFY2(IsKind(w, c.What), w->metaObject()->className());
        QCOMPARE(w->parentWidget()->objectName(), QString(c.Container));
        if (qobject_cast<QLabel*>(w) != nullptr) {
            QVERIFY2(
                PlacedLabel(w->geometry(), c),
                qPrintable(QString("%1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())));
        } else {
            QCOMPARE(w->geometry(), c.Place);
        }
        QCOMPARE(CaptionOf(w), c.Caption);
        QCOMPARE(w->isEnabled(), (c.State & Disabled) == 0);
        QCOMPARE(w->isHidden(), (c.State & Hidden) != 0);
        QCOMPARE(w->font().family(), QString("Liberation Sans"));
        QCOMPARE(w->font().pointSize(), 8);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            QCOMPARE(bool(label->alignment() & Qt::AlignRight), (c.State & RightAligned) != 0);
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(edit->maxLength(), c.MaxLength);
            QCOMPARE(AcceptsOnlyDigits(edit), (c.State & DigitsOnly) != 0);
        }
    }

    // Every control of the window's containers is in the table: none has been
    // added beside the layout.
    void nothingElse()
    {
        QStringList named;
        for (const Control& c : Layout()) {
            named << QString::fromStdString(c.Name);
        }
        const auto isContainer = [this](const QWidget* p) {
            return p == Win.get() || qobject_cast<const QGroupBox*>(p) != nullptr || p == Win->DoorSheet ||
                   p == Win->LiftSheet || p == Win->LockersSheet || p == Win->DDoorTabs;
        };
        for (QWidget* w : Win->findChildren<QWidget*>()) {
            if (!isContainer(w->parentWidget()) || w == Win->DDoorTabs->Tabs || w == Win->SaveRapDlg) {
                continue;
            }
            QVERIFY2(named.contains(w->objectName()), qPrintable(w->objectName()));
        }
        QCOMPARE(named.removeDuplicates(), 0);  // one row per control
    }

    void pagesAndTabs()
    {
        QCOMPARE(Win->SheetSet->count(), 3);
        const QStringList sheets = {"DoorSheet", "LiftSheet", "LockersSheet"};
        const QStringList captions = {"Przejścia", "Winda", "Szafki"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Win->SheetSet->widget(i)->objectName(), sheets[i]);
            QCOMPARE(Win->SheetSet->tabText(i), captions[i]);
        }
        QCOMPARE(Win->SheetSet->currentWidget(), Win->DoorSheet);
        QStringList doors;
        for (int i = 0; i < Win->DDoorTabs->Tabs->count(); ++i) {
            doors << Win->DDoorTabs->Tabs->tabText(i);
        }
        QCOMPARE(doors, QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
        QCOMPARE(Win->DDoorTabs->TabIndex(), 0);
        QCOMPARE(Items(Win->DTypeCb),
                 QStringList({"Otwarte", "Normalne", "Bistabilne", "Astabilne", "Zablokowane"}));
    }

    void components()
    {
        QCOMPARE(Win->UDPTimer->interval(), 1000);
        QVERIFY(Win->UDPTimer->isActive());
        QCOMPARE(Win->SaveRapDlg->defaultSuffix(), QString("txt"));
        QCOMPARE(Win->SaveRapDlg->nameFilters(), QStringList{"Konfiguracja kontrolera (*.txt)"});
        QCOMPARE(Win->SaveRapDlg->acceptMode(), QFileDialog::AcceptSave);
    }

private:
    WindowLan Lan;
    std::unique_ptr<ErrorCatcher> Errors;
    std::unique_ptr<TMainWin> Win;
};

}  // namespace quor::test

QTEST_MAIN(quor::test::LayoutTest)
#include "LayoutTest.moc"
