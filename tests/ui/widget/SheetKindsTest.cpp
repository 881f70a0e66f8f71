// The page control shows the one sheet that fits the loaded controller's kind.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"

namespace quor::test {

namespace {

constexpr uint32_t ModuleL8Id = 0x23850003;  // X01_00003: an output-set module

// A lift or lockers controller with one output-set module, assigned to slot 0.
void AddOutSetController(WindowLan& lan, uint8_t kind)
{
    const uint32_t id = kind == sim::KindLiftCode ? LiftCtrlId : LockersCtrlId;
    sim::BusConfig bus;
    bus.Kind = kind;
    bus.DoorCount = 1;
    bus.Entries = {Entry(id, 1, 2, 2, 4, 2), Entry(ModuleL8Id, 2, 0, 0, 2, 0, 1)};
    auto& ctrl = lan.AddController(DoorCtrlIp, id, ModeInstalacja, std::move(bus));
    sim::BlockContent block;
    block.OutputSets[0] = Ref(1, 0);
    block.Params[ParPulseTime] = 9;
    const uint8_t type = kind == sim::KindLiftCode ? sim::LiftBlockType : sim::LockersBlockType;
    if (type == sim::LockersBlockType) {
        block.Data[0] = 1;  // lockers 1 to 8 on module 0
        block.Data[1] = 0;
        block.Data[2] = 8;
        block.Data[3] = 0;
    }
    WindowLan::SetBlock(ctrl, type, 0, block);
}

}  // namespace

class SheetKindsTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void onlyTheKindsTab_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("door controller") << int(sim::KindDoorsCode) << "DoorSheet";
        QTest::newRow("lift controller") << int(sim::KindLiftCode) << "LiftSheet";
        QTest::newRow("lockers controller") << int(sim::KindLockersCode) << "LockersSheet";
    }

    void onlyTheKindsTab()
    {
        QFETCH(int, kind);
        QFETCH(QString, sheet);
        WindowLan lan;
        if (kind == sim::KindDoorsCode) {
            lan.AddDoorController(ModeInstalacja);
        } else {
            AddOutSetController(lan, static_cast<uint8_t>(kind));
        }
        auto win = lan.Open();
        QVERIFY(Errors->Texts.isEmpty());
        QVERIFY(!win->SheetSet->isHidden());
        for (int i = 0; i < win->SheetSet->count(); ++i) {
            const bool mine = win->SheetSet->widget(i)->objectName() == sheet;
            QVERIFY2(win->SheetSet->isTabVisible(i) == mine, qPrintable(win->SheetSet->tabText(i)));
        }
        QCOMPARE(win->SheetSet->currentWidget()->objectName(), sheet);
    }

    // The lift and lockers sheets show their record.
    void outSetSheetsShowTheirRecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("pulse");
        QTest::newRow("lift") << int(sim::KindLiftCode) << "LOutSet0Sel"
                              << "LTimEd";
        QTest::newRow("lockers") << int(sim::KindLockersCode) << "LsOutSet0Sel"
                                 << "LsTimEd";
    }

    void outSetSheetsShowTheirRecord()
    {
        QFETCH(int, kind);
        QFETCH(QString, module);
        QFETCH(QString, pulse);
        WindowLan lan;
        AddOutSetController(lan, static_cast<uint8_t>(kind));
        auto win = lan.Open();
        QCOMPARE(win->findChild<QComboBox*>(module)->currentText(), QString("X01_00003"));
        QCOMPARE(win->findChild<QLineEdit*>(pulse)->text(), QString("4,5"));
        if (kind == sim::KindLockersCode) {
            QCOMPARE(win->LsSetBegEd[0]->text(), QString("1"));
            QCOMPARE(win->LsSetEndEd[0]->text(), QString("8"));
        }
        QVERIFY(Errors->Texts.isEmpty());
    }

    // A configuration read that fails part-way leaves the records partly the
    // last configuration held: no sheet shows them, so none can write them to
    // this controller; the bus-device pane still lists the table read.
    void aConfigurationNotReadInFullShowsNoSheet_data()
    {
        QTest::addColumn<bool>("byDeleteLost");
        QTest::newRow("selected again") << false;
        QTest::newRow("read again after Usuń nieaktywne") << true;
    }

    void aConfigurationNotReadInFullShowsNoSheet()
    {
        QFETCH(bool, byDeleteLost);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        ctrl.Bus->Entries[2].Flags = sim::BusInactive;
        auto win = lan.Open();
        QVERIFY(!win->SheetSet->isHidden());
        // The common block and door 1 arrive; door 2's read gets no answer.
        ctrl.Inject(sim::Fault::DropReply, 'C', -1, 2);
        if (byDeleteLost) {
            win->DevDelLostBtn->click();
        } else {
            emit win->EthLstBox->Click();
        }
        QCOMPARE(Errors->Texts,
                 QStringList{"K01_12345, tryb: Serwis.\n\nBłąd nr 9 (r.'C'): Brak odpowiedzi na rozkaz.\n"});
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(win->DevListBox->item(0)->text(), QString("0. Kontroler: K01_12345/A1"));

        ctrl.ClearFaults();
        emit win->EthLstBox->Click();
        QVERIFY(!win->SheetSet->isHidden());
        QCOMPARE(TakeErrors().size(), 1);
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::SheetKindsTest)
#include "SheetKindsTest.moc"
