// The periodic timer: late answers, the selected device's state, changes on
// the bus, the keep-alive turns and how its errors are shown.
#include <algorithm>
#include <set>
#include <stdexcept>
#include <system_error>

#include <QGroupBox>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "link/EndpointError.h"
#include "tests/ui/widget/LanTraffic.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"
#include "ui/TabControl.h"

namespace quor::test {

namespace {

// An endpoint whose sends can be made to fail, as when the network goes down.
class BreakableEndpoint : public Endpoint {
public:
    explicit BreakableEndpoint(Endpoint& inner) : Inner(inner) {}
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        Check(NetStep::Send, std::string(ip));
        Inner.Send(ip, port, data);
    }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override
    {
        Check(NetStep::Send, "255.255.255.255");
        Inner.Broadcast(port, data);
    }
    // What is queued can still be read; nothing gets out.
    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        return Inner.Receive(buf, waitMs, senderIp);
    }
    Clock& Time() override { return Inner.Time(); }

    bool Broken = false;

private:
    // The failure as the socket endpoint reports it.
    void Check(NetStep step, std::string subject) const
    {
        if (Broken) {
            throw EndpointError(step, std::make_error_code(std::errc::network_unreachable),
                                std::move(subject));
        }
    }
    Endpoint& Inner;
};

const QStringList DoorCtrlRows = {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                                  "2.      Moduł: D01_00007/A3"};

}  // namespace

class TimerTest : public CatchingErrors {
    Q_OBJECT

protected:
    void Prepare() override { TMainWin::KeepAliveSlot = 0; }

private slots:
    // Nobody answers the search in time; the answer that comes later is
    // listed, selected and loaded by the timer's tick.
    void lateAnswerIsListedAndLoaded()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        lan.Lan.LatencyMs = 5000;
        auto win = lan.Open();
        QCOMPARE(win->EthLstBox->count(), 0);
        const size_t mark = lan.Lan.Trace.size();
        win->UDPTimerTimer();
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark), std::string());
        QCOMPARE(win->EthLstBox->count(), 0);

        lan.Lan.LatencyMs = 1;
        lan.Lan.Clock.Ms += 5000;
        QVERIFY(QMetaObject::invokeMethod(win->UDPTimer, "timeout"));
        QCOMPARE(win->EthLstBox->count(), 1);
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Serwis"));
        QCOMPARE(win->EthLstBox->currentRow(), 0);
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QVERIFY(win->EthWwwBtn->isEnabled());
        QVERIFY(!win->SheetSet->isHidden());
        QCOMPARE(Rows(win->DevListBox), DoorCtrlRows);
        QCOMPARE(ctrl.Received['C'], 3);
        QVERIFY(Errors->Texts.isEmpty());
    }

    // Blokada keeps the table closed; once in Serwis the tick reads it and
    // fills the pane, while the sheets wait for the installer's selection.
    void blokadaToSerwisFillsThePaneOnly()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeBlokada);
        auto win = lan.Open();
        QCOMPARE(Errors->Texts.size(), 1);
        win->UDPTimerTimer();
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Blokada"));
        QCOMPARE(ctrl.Received['K'], 0);
        QCOMPARE(ctrl.Received['D'], 0);

        ctrl.Mode = ModeSerwis;
        win->UDPTimerTimer();
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Serwis"));
        QCOMPARE(ctrl.Received['K'], 1);
        QCOMPARE(ctrl.Received['D'], 1);
        QCOMPARE(win->DevSelBox->title(), QString(" K01_12345 "));
        QCOMPARE(Rows(win->DevListBox), DoorCtrlRows);
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(ctrl.Received['C'], 0);

        emit win->EthLstBox->Click();
        QVERIFY(!win->SheetSet->isHidden());
        QCOMPARE(win->SheetSet->currentWidget(), win->DoorSheet);
        QCOMPARE(TakeErrors().size(), 1);
    }

    void silentDeviceShowsNiedostepnyWithoutMessage()
    {
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        lan.Lan.Detach(DoorCtrlIp);
        win->UDPTimerTimer();
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Niedostępny"));
        QCOMPARE(win->EthLstBox->currentRow(), 0);
        win->UDPTimerTimer();
        QVERIFY(Errors->Texts.isEmpty());
    }

    // A network failure comes back every second; it is shown once, in
    // Polish with the system's reason, and again only after a tick has run
    // through. Meanwhile the selected device is listed as out of reach.
    void networkErrorShownOnceUntilATickCompletes()
    {
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        BreakableEndpoint udp(lan.Pc);
        TMainWin win(&udp);
        const QString text =
            "Błąd sieci przy wysyłaniu do 10.45.0.10.\n\nSieć jest nieosiągalna: brak do niej trasy.";
        udp.Broken = true;
        for (int i = 0; i < 3; ++i) {
            win.UDPTimerTimer();
        }
        QCOMPARE(Errors->Texts, QStringList{text});
        QCOMPARE(win.EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Niedostępny"));
        QCOMPARE(win.EthLstBox->currentRow(), 0);
        udp.Broken = false;
        win.UDPTimerTimer();
        QCOMPARE(Errors->Texts, QStringList{text});
        QCOMPARE(win.EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Serwis"));
        udp.Broken = true;
        win.UDPTimerTimer();
        win.UDPTimerTimer();
        QCOMPARE(TakeErrors(), QStringList({text, text}));
        udp.Broken = false;
    }

    // A controller that answers its polls but never the table read: its
    // error is said once, not every second. It is said again after a tick on
    // the device has run through, for another code, or once the installer
    // has selected another device and come back (whose load says it too).
    void protocolErrorShownOncePerDeviceAndCode_data()
    {
        const QString noReply = "K01_12345, tryb: Serwis.\n\nBłąd nr 9 (r.'D'): Brak odpowiedzi na rozkaz.\n";
        const QString badSignature = "K01_12345, tryb: Serwis.\n\nBłąd nr 6 (r.'D'): Błąd podpisu ramki.\n";
        QTest::addColumn<QString>("between");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("fault goes on") << "nothing" << QStringList{noReply};
        QTest::newRow("a tick runs through") << "clean tick" << QStringList{noReply, noReply};
        QTest::newRow("another code") << "other code" << QStringList{noReply, badSignature};
        QTest::newRow("another device selected") << "other device" << QStringList{noReply, noReply, noReply};
    }

    void protocolErrorShownOncePerDeviceAndCode()
    {
        QFETCH(QString, between);
        QFETCH(QStringList, texts);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto& lift = lan.AddLiftController(ModeSerwis);
        auto win = lan.Open();
        QCOMPARE(win->UdpDevSet.Count, 2);
        QCOMPARE(win->UdpDevSet.Dev[win->UdpDevSet.Selected].Id, DoorCtrlId);
        ctrl.Inject(sim::Fault::DropReply, 'D', -1);
        const int polls = ctrl.Received['O'];
        for (int i = 0; i < 3; ++i) {
            win->UDPTimerTimer();
        }
        QVERIFY(ctrl.Received['O'] >= polls + 3);
        QCOMPARE(Errors->Texts.size(), 1);

        if (between == "clean tick") {
            ctrl.ClearFaults();
            win->UDPTimerTimer();
            ctrl.Inject(sim::Fault::DropReply, 'D', -1);
        } else if (between == "other code") {
            ctrl.ClearFaults();
            ctrl.Inject(sim::Fault::BadSignature, 'D', -1);
        } else if (between == "other device") {
            // Moving the current row is the installer's selection.
            const int row = win->UdpDevSet.Selected;
            win->EthLstBox->setCurrentRow(1 - row);
            QCOMPARE(win->UdpDevSet.Dev[win->UdpDevSet.Selected].Id, LiftCtrlId);
            QVERIFY(lift.Received['D'] > 0);
            win->EthLstBox->setCurrentRow(row);
            QCOMPARE(win->UdpDevSet.Dev[win->UdpDevSet.Selected].Id, DoorCtrlId);
        }
        for (int i = 0; i < 3; ++i) {
            win->UDPTimerTimer();
        }
        QCOMPARE(TakeErrors(), texts);
        ctrl.ClearFaults();
    }

    // Never a box over an open one: while any error box is open, be it a
    // tick's or the one of a selection that failed, the ticks its event loop
    // delivers are held back, so none polls and none shows a second box.
    void oneBoxAtATime_data()
    {
        QTest::addColumn<bool>("tickBox");
        QTest::newRow("a tick's box") << true;
        QTest::newRow("a selection's box") << false;
    }

    void oneBoxAtATime()
    {
        QFETCH(bool, tickBox);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        ctrl.Inject(sim::Fault::BadSignature, 'D', -1);
        const QString text = "K01_12345, tryb: Serwis.\n\nBłąd nr 6 (r.'D'): Błąd podpisu ramki.\n";
        int open = 0;
        int deepest = 0;
        int heldPolls = -1;
        TMainWin::ErrorHook = [&](const QString& shown) {
            Errors->Texts << shown;
            deepest = std::max(deepest, ++open);
            if (open == 1) {
                const int before = ctrl.Received['O'];
                win->UDPTimerTimer();
                win->UDPTimerTimer();
                heldPolls = ctrl.Received['O'] - before;
            }
            --open;
        };
        if (tickBox) {
            win->UDPTimerTimer();
        } else {
            emit win->EthLstBox->Click();
        }
        QCOMPARE(deepest, 1);
        QCOMPARE(heldPolls, 0);
        QCOMPARE(TakeErrors(), QStringList{text});
        ctrl.ClearFaults();
    }

    // 31 devices with open sessions: slot s keeps devices s, s + 15 and
    // s + 30 alive, so every device gets its turn once in 15 ticks.
    void keepAliveTurns()
    {
        WindowLan lan;
        std::vector<sim::EmuController*> ctrls;
        for (uint32_t i = 0; i < 31; ++i) {
            sim::BusConfig bus;
            bus.DoorCount = 0;
            ctrls.push_back(&lan.AddController("10.45.1." + std::to_string(i + 1), 0x212D0000 + i, ModeSerwis,
                                               std::move(bus)));
        }
        auto win = lan.Open();
        QCOMPARE(win->UdpDevSet.Count, 31);
        for (int i = 0; i < 31; ++i) {
            win->UdpDevSet.Dev[i].EnsureSession();
        }
        auto keptAlive = [&] {
            std::set<int> devices;
            for (int i = 0; i < 31; ++i) {
                if (ctrls[i]->Received['S'] > 0) {
                    devices.insert(i);
                }
            }
            return devices;
        };
        win->UDPTimerTimer();
        QCOMPARE(keptAlive(), std::set<int>({0, 15, 30}));
        win->UDPTimerTimer();
        QCOMPARE(keptAlive(), std::set<int>({0, 1, 15, 16, 30}));
        for (int tick = 2; tick < 15; ++tick) {
            win->UDPTimerTimer();
        }
        for (int i = 0; i < 31; ++i) {
            QCOMPARE(ctrls[i]->Received['S'], 1);
        }
        QCOMPARE(TMainWin::KeepAliveSlot, 0);
        QVERIFY(Errors->Texts.isEmpty());
    }

    // A device joins the bus after the installer's edit: the new table is
    // taken in, the edit stays and its resources are marked in the new table.
    void editSurvivesBusChange()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], Ref(2, 0));
        const int blockReads = ctrl.Received['C'];

        ctrl.Bus->Entries.push_back(Entry(0x20050002, 4, 1, 0, 2, 1, 0, sim::BusNew));
        win->UDPTimerTimer();
        QCOMPARE(Rows(win->DevListBox),
                 QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                              "3.    Czytnik: R05_00002/A4,   (nowy)", "2.      Moduł: D01_00007/A3"}));
        QCOMPARE(ctrl.Received['C'], blockReads);
        QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], Ref(2, 0));
        QCOMPARE(win->DOut1Sel->currentText(), QString("D01_00007:Out1"));
        const BusDevTable& t = win->BusDevTable;
        QCOMPARE(t.Dev[0].Taken[ResOutput], 0b0101u);
        QCOMPARE(t.Dev[0].Taken[ResInput], 0b0011u);
        QCOMPARE(t.Dev[1].Taken[ResOutput], 0b1u);
        QCOMPARE(t.Dev[1].Taken[ResReader], 0b1u);
        QCOMPARE(t.Dev[2].Taken[ResOutput], 0b1u);
        QCOMPARE(t.Dev[3].Taken[ResOutput], 0u);
        QVERIFY(Errors->Texts.isEmpty());
    }

    // The controller's table changes its shape under an unwritten edit: the
    // edit cannot be written as blocks of a shape that is gone, so the
    // controller is read again as selecting it would, its sheet follows, and
    // the installer is told that the edit is gone.
    void changedShapeReadsTheControllerAgain_data()
    {
        QTest::addColumn<int>("doors");
        QTest::addColumn<int>("train");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("reads");  // block reads: the common block only with a train number
        QTest::newRow("door count") << 1 << 1 << 1 << 2;
        QTest::newRow("train flag") << 2 << 0 << 2 << 2;
    }

    void changedShapeReadsTheControllerAgain()
    {
        QFETCH(int, doors);
        QFETCH(int, train);
        QFETCH(int, tabs);
        QFETCH(int, reads);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        const int blockReads = ctrl.Received['C'];

        ctrl.Bus->DoorCount = static_cast<uint8_t>(doors);
        ctrl.Bus->TrainFlag = static_cast<uint8_t>(train);
        win->UDPTimerTimer();
        QCOMPARE(ctrl.Received['C'], blockReads + reads);
        QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], ResRef(0xFFFF));
        QVERIFY(!win->SheetSet->isHidden());
        QCOMPARE(win->DDoorTabs->Tabs->count(), tabs);
        QCOMPARE(win->DTrainNrEd->isHidden(), train == 0);
        QCOMPARE(TakeErrors(),
                 QStringList{"Niezapisane zmiany konfiguracji K01_12345 zostały odrzucone: kontroler "
                             "ma teraz inny rodzaj lub liczbę przejść. Pokazano konfigurację "
                             "odczytaną teraz."});
        QVERIFY(!win->UnsavedEdits());
    }

    // The controller is switched to Blokada or Konfiguracja: its sheet goes
    // at the next tick, as loading it in that mode would find, and nothing
    // can be written to it or done with its bus meanwhile.
    void leavingServiceHidesTheSheet_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("row");
        QTest::newRow("Blokada") << int(ModeBlokada) << " K01_12345,  10.45.0.10,  Blokada";
        QTest::newRow("Konfiguracja") << int(ModeKonfiguracja) << " K01_12345,  10.45.0.10,  Konfiguracja";
    }

    void leavingServiceHidesTheSheet()
    {
        QFETCH(int, mode);
        QFETCH(QString, row);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        ctrl.Bus->Entries[2].Flags = sim::BusInactive;
        auto win = lan.Open();
        QVERIFY(win->DevDelLostBtn->isEnabled());
        ctrl.Mode = static_cast<uint8_t>(mode);
        win->UDPTimerTimer();
        QCOMPARE(win->EthLstBox->item(0)->text(), row);
        QVERIFY(win->SheetSet->isHidden());
        QVERIFY(!win->DevDelLostBtn->isEnabled());
        QVERIFY(!win->DevListBox->isEnabled());

        const size_t mark = lan.Lan.Trace.size();
        win->DWrCfgBtnClick();
        win->DevDelLostBtnClick();
        QCOMPARE(Commands(lan.Lan, DoorCtrlIp, mark).find_first_of("cFR"), std::string::npos);
        QVERIFY(Errors->Texts.isEmpty());

        // Back in Serwis the pane fills again; the sheet waits for a selection.
        ctrl.Mode = ModeSerwis;
        win->UDPTimerTimer();
        QVERIFY(win->DevDelLostBtn->isEnabled());
        QVERIFY(win->SheetSet->isHidden());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::TimerTest)
#include "TimerTest.moc"
