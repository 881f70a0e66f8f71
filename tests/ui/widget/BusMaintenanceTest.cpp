// The maintenance commands of the bus-device pane: removing lost devices and
// replacing a failed one, each followed by a fresh read of the controller.
#include <algorithm>
#include <iterator>

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/support/HexBytes.h"
#include "tests/ui/widget/LanTraffic.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"

namespace quor::test {

namespace {

// The door controller with a failed reader at entry 5 and its successor, of
// the same model, new at entry 12; the entries between are empty.
sim::EmuController& AddReplaceSite(WindowLan& lan)
{
    auto& ctrl = lan.AddDoorController(ModeSerwis);
    auto& entries = ctrl.Bus->Entries;
    entries.resize(13);
    entries[5] = Entry(0x20050005, 5, 1, 0, 2, 1, 0, sim::BusInactive);
    entries[12] = Entry(0x2005000C, 6, 1, 0, 2, 1, 0, sim::BusNew);
    return ctrl;
}

// Three lost readers, R05_00901 to R05_00903 at entries 3 to 5, and three new
// ones of their model, R05_00911 to R05_00913 at entries 6 to 8: nine pairs.
sim::EmuController& AddThreeLostThreeNew(WindowLan& lan)
{
    auto& ctrl = lan.AddDoorController(ModeSerwis);
    auto& entries = ctrl.Bus->Entries;
    for (uint32_t i = 0; i < 3; ++i) {
        entries.push_back(
            Entry(0x20050385 + i, static_cast<uint8_t>(4 + i), 1, 0, 2, 1, 0, sim::BusInactive));
    }
    for (uint32_t i = 0; i < 3; ++i) {
        entries.push_back(Entry(0x2005038F + i, static_cast<uint8_t>(7 + i), 1, 0, 2, 1, 0, sim::BusNew));
    }
    return ctrl;
}

// A click of the installer's that waits in the event queue, as a second
// click does while the window is busy with the first one's command.
void PostClick(QWidget* button)
{
    const QPointF at = QRectF(button->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(
            button, new QMouseEvent(type, at, button->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier));
    }
}

const QStringList ReplaceSiteRows = {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                                     "5.    Czytnik: R05_00005/A5,   (nieaktywny)",
                                     "C.    Czytnik: R05_00012/A6,   (nowy)", "2.      Moduł: D01_00007/A3"};

// A second device at another address, sorted behind K01_12345.
const std::string OtherIp = "10.45.0.20";
constexpr uint32_t OtherCtrlId = 0x212D3100;  // K01_12544

// The list greyed or not, "Usuń nieaktywne", and how many of "Zastąp", the
// pair list and its two labels are enabled.
struct PaneOffer {
    bool List;
    bool DelLost;
    int Replace;
    bool operator==(const PaneOffer&) const = default;
};

PaneOffer OfferOf(const TMainWin& win)
{
    const QWidget* replace[] = {win.DevReplaceBtn, win.DevReplCb, win.DevReplOldLb, win.DevReplNewLb};
    const auto enabled = std::count_if(std::begin(replace), std::end(replace),
                                       [](const QWidget* w) { return w->isEnabled(); });
    return {win.DevListBox->isEnabled(), win.DevDelLostBtn->isEnabled(), static_cast<int>(enabled)};
}

const PaneOffer Stale{false, false, 0};
const PaneOffer BothCommands{true, true, 4};

// The commands sent to any device from trace index mark on that change a controller's list.
std::string ListCommands(const sim::VirtualLan& lan, size_t mark)
{
    std::string sent;
    for (const std::string& ip : {DoorCtrlIp, OtherIp}) {
        for (const char c : Commands(lan, ip, mark)) {
            if (c == 'F' || c == 'R') {
                sent += c;
            }
        }
    }
    return sent;
}

// Moving the current row selects that device, as a click does.
void SelectRow(TMainWin& win, int row)
{
    win.EthLstBox->setCurrentRow(row);
}

}  // namespace

class BusMaintenanceTest : public CatchingErrors {
    Q_OBJECT

private slots:
    // Its own tick first, then the command, then the controller read again;
    // an error of the tick is shown and the command goes on.
    void deleteLost_data()
    {
        QTest::addColumn<bool>("tickFails");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("clean tick") << false << QStringList();
        QTest::newRow("tick fails")
            << true << QStringList{"K01_12345, tryb: Serwis.\n\nBłąd nr 6 (r.'D'): Błąd podpisu ramki.\n"};
    }

    void deleteLost()
    {
        QFETCH(bool, tickFails);
        QFETCH(QStringList, texts);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        ctrl.Bus->Entries[2].Flags = sim::BusInactive;
        auto win = lan.Open();
        QVERIFY(win->DevDelLostBtn->isEnabled());
        if (tickFails) {
            ctrl.Inject(sim::Fault::BadSignature, 'D');
        }
        // Not device 0's keep-alive turn: the trace holds the command alone.
        TMainWin::KeepAliveSlot = 1;
        const size_t mark = lan.Lan.Trace.size();
        win->DevDelLostBtn->click();
        QCOMPARE(TakeErrors(), texts);
        // Tick: poll, table. Command: poll, F. Reload: poll, table, poll, common block, doors 1 and 2.
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string("ODOFODOCCC"));
        QCOMPARE(ctrl.DeleteLostCount, 1);
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2"}));
        QVERIFY(!win->DevDelLostBtn->isEnabled());
    }

    void replace()
    {
        WindowLan lan;
        AddReplaceSite(lan);
        auto win = lan.Open();
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(Items(win->DevReplCb), QStringList{"R05_00005 <-- R05_00012"});
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        QVERIFY(Errors->Texts.isEmpty());
        QCOMPARE(SignedPayloads(lan.Lan, DoorCtrlIp, 'R', mark), std::vector<sim::Bytes>{HexBytes("05 0C")});
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string("ORODOCCC"));
        // The successor holds entry 5 and stays inactive for a moment.
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                              "5.    Czytnik: R05_00012/A6,   (nieaktywny)", "2.      Moduł: D01_00007/A3"}));
        QCOMPARE(win->DevReplCb->count(), 0);
        QVERIFY(!win->DevReplaceBtn->isEnabled());
    }

    // The controller does not acknowledge: the message names the command,
    // the controller is not read again and the pane keeps its list.
    void replaceNotAcknowledged()
    {
        WindowLan lan;
        auto& ctrl = AddReplaceSite(lan);
        auto win = lan.Open();
        ctrl.Inject(sim::Fault::BadAck, 'R');
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        QCOMPARE(
            TakeErrors(),
            QStringList{
                "K01_12345, tryb: Serwis.\n\nBłąd nr 10 (r.'R'): Brak potwierdzenia wysłanego rozkazu.\n"});
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string("OR"));
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(Items(win->DevReplCb), QStringList{"R05_00005 <-- R05_00012"});
        QVERIFY(win->DevReplaceBtn->isEnabled());
    }

    // The pane lists K01_12345's devices while another device is selected:
    // it stays in view, greyed, and neither command reaches the device
    // selected, not even when its handler runs.
    void staleListSendsNothing_data()
    {
        QTest::addColumn<QString>("other");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("time recorder") << "recorder" << QStringList();
        QTest::newRow("controller in Blokada")
            << "blokada"
            << QStringList{"K01_12544, tryb: Blokada.\n\nBłąd nr 11: Kontroler nie pozwala odczytać ustawień "
                           "przejść.\nUstaw go w tryb 'Service'\n"};
        QTest::newRow("controller in Konfiguracja")
            << "konfiguracja"
            << QStringList{"K01_12544, tryb: Konfiguracja.\n\nBłąd nr 11: Kontroler nie pozwala odczytać "
                           "ustawień przejść.\nUstaw go w tryb 'Service'\n"};
        QTest::newRow("controller that does not answer")
            << "silent"
            << QStringList{"K01_12544, tryb: Niedostępny.\n\nBłąd nr 1: Urządzenie nie odpowiada.\n"};
    }

    void staleListSendsNothing()
    {
        QFETCH(QString, other);
        QFETCH(QStringList, texts);
        WindowLan lan;
        AddReplaceSite(lan);
        if (other == "recorder") {
            lan.AddDevice(OtherIp, 0x21910001, ModeSerwis);
        } else {
            const uint8_t mode = other == "blokada"        ? ModeBlokada
                                 : other == "konfiguracja" ? ModeKonfiguracja
                                                           : ModeSerwis;
            sim::BusConfig bus;
            bus.Kind = sim::KindDoorsCode;
            bus.DoorCount = 1;
            bus.Entries = {Entry(OtherCtrlId, 1, 2, 2, 4, 2)};
            lan.AddController(OtherIp, OtherCtrlId, mode, std::move(bus));
        }
        auto win = lan.Open();
        QCOMPARE(OfferOf(*win), BothCommands);
        if (other == "silent") {
            lan.Lan.Detach(OtherIp);
        }
        TMainWin::KeepAliveSlot = 1;
        const size_t mark = lan.Lan.Trace.size();
        SelectRow(*win, 1);
        QCOMPARE(TakeErrors(), texts);
        QCOMPARE(win->DevSelBox->title(), QString(" K01_12345 "));
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(OfferOf(*win), Stale);

        win->DevDelLostBtnClick();
        win->DevReplaceBtnClick();
        win->UDPTimerTimer();
        QCOMPARE(ListCommands(lan.Lan, mark), std::string());
        QCOMPARE(OfferOf(*win), Stale);

        // Back on K01_12345, its table read again: the commands return.
        SelectRow(*win, 0);
        QCOMPARE(OfferOf(*win), BothCommands);
    }

    // The reload after the command fails before the table is read: the pane
    // keeps the list it had, greyed, until a tick reads the table again.
    void reloadFailsBeforeTheTable()
    {
        WindowLan lan;
        auto& ctrl = AddReplaceSite(lan);
        auto win = lan.Open();
        TMainWin::KeepAliveSlot = 1;
        // The tick's table read goes through; the reload's gets no answer.
        ctrl.Inject(sim::Fault::DropReply, 'D', -1, 1);
        const size_t mark = lan.Lan.Trace.size();
        win->DevDelLostBtn->click();
        const QString noTable = "K01_12345, tryb: Serwis.\n\nBłąd nr 9 (r.'D'): Brak odpowiedzi na rozkaz.\n";
        QCOMPARE(Errors->Texts, QStringList{noTable});
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(OfferOf(*win), Stale);
        QVERIFY(win->SheetSet->isHidden());
        // The command's own tick still finds the table unanswered, and says so.
        win->DevDelLostBtnClick();
        win->DevReplaceBtnClick();
        QCOMPARE(ListCommands(lan.Lan, mark), std::string("F"));
        QCOMPARE(Errors->Texts, QStringList({noTable, noTable}));

        ctrl.ClearFaults();
        win->UDPTimerTimer();
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                              "C.    Czytnik: R05_00012/A6,   (nowy)", "2.      Moduł: D01_00007/A3"}));
        QCOMPARE(OfferOf(*win), (PaneOffer{true, false, 0}));
        QCOMPARE(TakeErrors().size(), 2);
    }

    // The pair chosen stays chosen while the list is rebuilt around it, by
    // its devices; once it is gone no pair is chosen and "Zastąp" waits for
    // the installer to choose one.
    void chosenPairKeptAcrossRebuilds()
    {
        WindowLan lan;
        auto& ctrl = AddThreeLostThreeNew(lan);
        auto win = lan.Open();
        QCOMPARE(win->DevReplCb->count(), 9);
        QCOMPARE(win->DevReplCb->currentText(), QString("R05_00901 <-- R05_00911"));
        QVERIFY(ChooseIndex(win->DevReplCb, 8));
        QCOMPARE(win->DevReplCb->currentText(), QString("R05_00903 <-- R05_00913"));

        // Reader R05_00001 is lost too: three more pairs, listed first.
        ctrl.Bus->Entries[1].Flags = sim::BusInactive;
        win->UDPTimerTimer();
        QCOMPARE(win->DevReplCb->count(), 12);
        QCOMPARE(win->DevReplCb->currentText(), QString("R05_00903 <-- R05_00913"));
        QVERIFY(win->DevReplaceBtn->isEnabled());

        // R05_00903 answers again: the pair chosen is gone, and none takes its place.
        ctrl.Bus->Entries[5].Flags = 0;
        win->UDPTimerTimer();
        QCOMPARE(win->DevReplCb->count(), 9);
        QCOMPARE(win->DevReplCb->currentIndex(), -1);
        QVERIFY(win->DevReplCb->isEnabled());
        QVERIFY(!win->DevReplaceBtn->isEnabled());
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        win->DevReplaceBtnClick();
        QCOMPARE(ListCommands(lan.Lan, mark), std::string());

        QVERIFY(ChooseIndex(win->DevReplCb, 4));
        QCOMPARE(win->DevReplCb->currentText(), QString("R05_00901 <-- R05_00912"));
        QVERIFY(win->DevReplaceBtn->isEnabled());
        win->DevReplaceBtn->click();
        QCOMPARE(SignedPayloads(lan.Lan, DoorCtrlIp, 'R', mark), std::vector<sim::Bytes>{HexBytes("03 07")});
    }

    // A second press that comes while the first one's command runs is
    // delivered once the command is done, and finds the button disabled.
    void doubleClickRunsOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<std::string>("sent");
        QTest::newRow("Zastąp") << "DevReplaceBtn" << std::string("R");
        QTest::newRow("Zapisz konfigurację") << "DWrCfgBtn" << std::string("ccc");
        QTest::newRow("Usuń nieaktywne") << "DevDelLostBtn" << std::string("F");
    }

    void doubleClickRunsOnce()
    {
        QFETCH(QString, button);
        QFETCH(std::string, sent);
        WindowLan lan;
        AddThreeLostThreeNew(lan);
        auto win = lan.Open();
        TMainWin::KeepAliveSlot = 1;
        const size_t mark = lan.Lan.Trace.size();
        auto* pressed = win->findChild<QPushButton*>(button);
        PostClick(pressed);
        PostClick(pressed);
        QCoreApplication::processEvents();
        QCOMPARE(CommandsAmong(lan.Lan, DoorCtrlIp, mark, "RFc"), sent);
        QVERIFY(win->EthSearchBtn->isEnabled());
    }

    // The device that has just taken over R05_00005's settings is inactive
    // until it answers with them; it is not lost. It is offered as no old
    // device, and "Usuń nieaktywne", which would delete it, waits for it.
    void justReplacedDeviceIsNotLost()
    {
        WindowLan lan;
        auto& ctrl = AddReplaceSite(lan);
        auto& entries = ctrl.Bus->Entries;
        entries.push_back(Entry(0x2005000D, 7, 1, 0, 2, 1, 0, sim::BusNew));       // R05_00013, entry 13
        entries.push_back(Entry(0x22BD0008, 8, 0, 2, 2, 0, 0, sim::BusInactive));  // D01_00008 lost, entry 14
        auto win = lan.Open();
        QVERIFY(ChooseIndex(win->DevReplCb, 0));
        QCOMPARE(win->DevReplCb->currentText(), QString("R05_00005 <-- R05_00012"));
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        QCOMPARE(ListCommands(lan.Lan, mark), std::string("R"));
        QVERIFY(Rows(win->DevListBox).contains("5.    Czytnik: R05_00012/A6,   (nieaktywny)"));
        QCOMPARE(win->DevReplCb->count(), 0);
        QVERIFY(!win->DevDelLostBtn->isEnabled());
        const QString waiting =
            "Urządzenie R05_00012 przejęło ustawienia zastąpionego i jeszcze nie odpowiada; "
            "\"Usuń nieaktywne\" usunęłoby także je. Poczekaj kilka sekund.";
        QCOMPARE(win->DevDelLostBtn->toolTip(), waiting);
        win->DevDelLostBtnClick();
        QCOMPARE(TakeErrors(), QStringList{waiting});
        QCOMPARE(ListCommands(lan.Lan, mark), std::string("R"));

        // It answers: an active device like any other, and the lost module goes.
        lan.Lan.Clock.Ms += 3000;
        win->UDPTimerTimer();
        QVERIFY(Rows(win->DevListBox).contains("5.    Czytnik: R05_00012/A6"));
        QCOMPARE(win->DevDelLostBtn->toolTip(), QString());
        QVERIFY(win->DevDelLostBtn->isEnabled());
        win->DevDelLostBtn->click();
        QCOMPARE(ListCommands(lan.Lan, mark), std::string("RF"));
        QVERIFY(Rows(win->DevListBox).contains("5.    Czytnik: R05_00012/A6"));
    }

    // The configuration cannot be read again after a replacement: the pane
    // lists the new table, the sheet is hidden and says why, once.
    void reloadedConfigurationUnreadable()
    {
        WindowLan lan;
        auto& ctrl = AddReplaceSite(lan);
        auto win = lan.Open();
        QVERIFY(!win->SheetSet->isHidden());
        ctrl.Inject(sim::Fault::LongReply, 'C', -1);
        win->DevReplaceBtn->click();
        const QStringList texts{"K01_12345, tryb: Serwis.\n\nBłąd nr 8: Błąd odczytu danych konfiguracji.\n"};
        QCOMPARE(Errors->Texts, texts);
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                              "5.    Czytnik: R05_00012/A6,   (nieaktywny)", "2.      Moduł: D01_00007/A3"}));
        // R05_00012 is inactive only until it answers with its new settings: not lost.
        QCOMPARE(OfferOf(*win), (PaneOffer{true, false, 0}));
        win->UDPTimerTimer();
        win->UDPTimerTimer();
        QCOMPARE(TakeErrors(), texts);
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::BusMaintenanceTest)
#include "BusMaintenanceTest.moc"
