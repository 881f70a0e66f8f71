// The maintenance commands of the bus-device pane: removing lost devices and
// replacing a failed one, each followed by a fresh read of the controller.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/support/HexBytes.h"
#include "tests/ui/widget/LanTraffic.h"
#include "tests/ui/widget/WindowLan.h"

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

const QStringList ReplaceSiteRows = {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                                     "5.    Czytnik: R05_00005/A5,   (nieaktywny)",
                                     "C.    Czytnik: R05_00012/A6,   (nowy)", "2.      Moduł: D01_00007/A3"};

}  // namespace

class BusMaintenanceTest : public QObject {
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
        ErrorCatcher errors;
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
        QCOMPARE(errors.Texts, texts);
        // Tick: poll, table. Command: poll, F. Reload: poll, table, poll, common block, doors 1 and 2.
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string("ODOFODOCCC"));
        QCOMPARE(ctrl.DeleteLostCount, 1);
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2"}));
        QVERIFY(!win->DevDelLostBtn->isEnabled());
    }

    void replace()
    {
        ErrorCatcher errors;
        WindowLan lan;
        AddReplaceSite(lan);
        auto win = lan.Open();
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(Items(win->DevReplCb), QStringList{"R05_00005 <-- R05_00012"});
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        QVERIFY(errors.Texts.isEmpty());
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
        ErrorCatcher errors;
        WindowLan lan;
        auto& ctrl = AddReplaceSite(lan);
        auto win = lan.Open();
        ctrl.Inject(sim::Fault::BadAck, 'R');
        const size_t mark = lan.Lan.Trace.size();
        win->DevReplaceBtn->click();
        QCOMPARE(
            errors.Texts,
            QStringList{
                "K01_12345, tryb: Serwis.\n\nBłąd nr 10 (r.'R'): Brak potwierdzenia wysłanego rozkazu.\n"});
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string("OR"));
        QCOMPARE(Rows(win->DevListBox), ReplaceSiteRows);
        QCOMPARE(Items(win->DevReplCb), QStringList{"R05_00005 <-- R05_00012"});
        QVERIFY(win->DevReplaceBtn->isEnabled());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::BusMaintenanceTest)
#include "BusMaintenanceTest.moc"
