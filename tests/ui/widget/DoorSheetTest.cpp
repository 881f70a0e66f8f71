// The door sheet of the standard door controller (WindowLan::AddDoorController):
// what each control offers and shows, and what the installer's edits store.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include "tests/ui/widget/WindowLan.h"
#include "ui/TabControl.h"

namespace quor::test {

namespace {

const QString None = "  -----";

// The outputs, inputs and readers no door uses, in display order.
const QStringList FreeOutputs = {"K01_12345:Out2", "K01_12345:Out4", "D01_00007:Out1", "D01_00007:Out2"};
const QStringList FreeInputs = {"K01_12345:In3", "K01_12345:In4", "R05_00001:In1",
                                "R05_00001:In2", "D01_00007:In1", "D01_00007:In2"};
const QStringList FreeReaders = {"K01_12345:Rd1", "K01_12345:Rd2"};

struct Sheet {
    WindowLan Lan;
    std::unique_ptr<TMainWin> Win;

    explicit Sheet(uint8_t mode)
    {
        Lan.AddDoorController(mode);
        Win = Lan.Open();
    }
    void ShowDoor(int tab) { Win->DDoorTabs->Tabs->setCurrentIndex(tab); }
    DoorCfg& Door(int i) { return Win->DoorCfgSet.Doors[i]; }
    template <class W> W* Control(const QString& name) { return Win->findChild<W*>(name); }
};

}  // namespace

class DoorSheetTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void preparedForTheController()
    {
        Sheet s(ModeSerwis);
        QCOMPARE(s.Win->DDoorTabs->Tabs->count(), 2);
        QCOMPARE(s.Win->DDoorTabs->Tabs->tabText(1), QString("2"));
        QCOMPARE(s.Win->DDoorTabs->TabIndex(), 0);
        QVERIFY(!s.Win->DTrainNrEd->isHidden());
        QVERIFY(!s.Win->DTrainNrLb->isHidden());
        QCOMPARE(s.Win->DTrainNrEd->text(), QString("12"));
        QCOMPARE(Items(s.Win->DSluzaSel), QStringList({None, "Śluza 1"}));
        QCOMPARE(s.Win->DTypeCb->currentText(), QString("Normalne"));
        QCOMPARE(s.Win->DRygTimEd->text(), QString("3,5"));
        QCOMPARE(s.Win->DOpenTimEd->text(), QString("10"));
    }

    // What each selector offers, door by door.
    void offers_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("door 1 bolt") << 0 << "DOut0Sel" << QStringList{"K01_12345:Out1", None} + FreeOutputs;
        QTest::newRow("door 1 reminder") << 0 << "DOut1Sel" << QStringList{None} + FreeOutputs;
        QTest::newRow("door 1 alarm") << 0 << "DOut2Sel" << QStringList{"K01_12345:Out3", None} + FreeOutputs;
        QTest::newRow("door 1 open sensor: the bolt's device only")
            << 0 << "DIn1Sel" << QStringList{"K01_12345:In1", None, "K01_12345:In3", "K01_12345:In4"};
        QTest::newRow("door 1 exit button")
            << 0 << "DIn0Sel" << QStringList{"K01_12345:In2", None} + FreeInputs;
        QTest::newRow("door 1 reader") << 0 << "DRd0Sel" << QStringList{None} + FreeReaders;
        QTest::newRow("door 2 bolt") << 1 << "DOut0Sel" << QStringList{"R05_00001:Out1", None} + FreeOutputs;
        QTest::newRow("door 2 alarm: door 1's alarm apart")
            << 1 << "DOut2Sel" << QStringList{None, "K01_12345:Out3", None} + FreeOutputs;
        QTest::newRow("door 2 CCTV: not the alarm output")
            << 1 << "DOut3Sel" << QStringList{None} + FreeOutputs;
        QTest::newRow("door 2 reminder: not the alarm output")
            << 1 << "DOut1Sel" << QStringList{None} + FreeOutputs;
        QTest::newRow("door 2 open sensor")
            << 1 << "DIn1Sel" << QStringList{None, "R05_00001:In1", "R05_00001:In2"};
        QTest::newRow("door 2 reader") << 1 << "DRd0Sel" << QStringList{"R05_00001:Rd1", None} + FreeReaders;
    }

    void offers()
    {
        QFETCH(int, tab);
        QFETCH(QString, selector);
        QFETCH(QStringList, items);
        Sheet s(ModeSerwis);
        s.ShowDoor(tab);
        auto* sel = s.Control<QComboBox>(selector);
        QCOMPARE(Items(sel), items);
        QCOMPARE(sel->currentIndex(), 0);
    }

    // The bolt moves: the open sensor stays only while it is on the bolt's device.
    void boltMoves_data()
    {
        QTest::addColumn<uint>("bolt");
        QTest::addColumn<uint>("sensor");
        QTest::addColumn<QStringList>("sensorItems");
        QTest::newRow("to another device")
            << uint(Ref(2, 0)) << uint(NoRef) << QStringList{None, "D01_00007:In1", "D01_00007:In2"};
        QTest::newRow("to the same device")
            << uint(Ref(0, 1)) << uint(Ref(0, 0))
            << QStringList{"K01_12345:In1", None, "K01_12345:In3", "K01_12345:In4"};
        QTest::newRow("to none") << uint(NoRef) << uint(NoRef) << QStringList{None};
    }

    void boltMoves()
    {
        QFETCH(uint, bolt);
        QFETCH(uint, sensor);
        QFETCH(QStringList, sensorItems);
        Sheet s(ModeSerwis);
        QVERIFY(Choose(s.Win->DOut0Sel, static_cast<ResRef>(bolt)));
        QCOMPARE(uint(s.Door(0).Outputs[OutBolt]), bolt);
        QCOMPARE(uint(s.Door(0).Inputs[InOpenSensor]), sensor);
        QCOMPARE(Items(s.Win->DIn1Sel), sensorItems);
        // A released sensor is offered to the other inputs again.
        QCOMPARE(Items(s.Win->DIn0Sel).contains("K01_12345:In1"), sensor == NoRef);
    }

    // The NC box of an output: usable for an OC output only, showing its flag.
    void ncBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("checked");
        QTest::newRow("bolt on a relay") << "DOut0Cb" << false << false;
        QTest::newRow("alarm on an OC output, NC") << "DOut2Cb" << true << true;
        QTest::newRow("no reminder") << "DOut1Cb" << false << false;
        QTest::newRow("open sensor") << "DIn1Cb" << true << false;
        QTest::newRow("no tamper input: none has bit 7") << "DIn3Cb" << false << true;
    }

    void ncBoxes()
    {
        QFETCH(QString, box);
        QFETCH(bool, enabled);
        QFETCH(bool, checked);
        Sheet s(ModeSerwis);
        auto* cb = s.Control<QCheckBox>(box);
        QCOMPARE(cb->isEnabled(), enabled);
        QCOMPARE(cb->isChecked(), checked);
    }

    // An input chosen for an empty row takes the state of the row's box, which
    // none leaves ticked.
    void newInputStartsAsNc()
    {
        Sheet s(ModeSerwis);
        QVERIFY(Choose(s.Win->DIn3Sel, Ref(0, 2)));
        QCOMPARE(s.Door(0).Inputs[InTamper], ResRef(Ref(0, 2) | RefNc));
        QVERIFY(s.Win->DIn3Cb->isEnabled());
        QVERIFY(s.Win->DIn3Cb->isChecked());
        s.Win->DIn3Cb->click();
        QCOMPARE(s.Door(0).Inputs[InTamper], Ref(0, 2));
    }

    // Moving the bolt to an OC output makes its NC box usable; the box's
    // state goes with the choice.
    void boltToOcOutput()
    {
        Sheet s(ModeSerwis);
        QVERIFY(Choose(s.Win->DOut0Sel, Ref(0, 3)));
        QVERIFY(s.Win->DOut0Cb->isEnabled());
        s.Win->DOut0Cb->click();
        QCOMPARE(s.Door(0).Outputs[OutBolt], ResRef(Ref(0, 3) | RefNc));
        QVERIFY(Choose(s.Win->DOut0Sel, Ref(2, 1)));
        QCOMPARE(s.Door(0).Outputs[OutBolt], ResRef(Ref(2, 1) | RefNc));
    }

    void checkBoxesReachTheModel()
    {
        Sheet s(ModeInstalacja);
        s.Win->DOut2Cb->click();
        QCOMPARE(s.Door(0).Outputs[OutAlarm], Ref(0, 2));
        s.Win->DIn1Cb->click();
        QCOMPARE(s.Door(0).Inputs[InOpenSensor], ResRef(Ref(0, 0) | RefNc));
        s.Win->DKlamkaCb->click();
        s.Win->DFullTimCb->click();
        QCOMPARE(s.Door(0).Params[ParDoorFlags], uint8_t(0xC0));
        s.ShowDoor(1);
        s.Win->DRd0Cb->click();
        QCOMPARE(s.Door(1).Params[ParReaderFlags] & 1, 1);
        QCOMPARE(s.Door(1).Params[ParReaderFlags + 4] & 1, 0);
        // What the model holds is what the sheet shows when the door returns.
        s.ShowDoor(0);
        QVERIFY(!s.Win->DOut2Cb->isChecked());
        QVERIFY(s.Win->DIn1Cb->isChecked());
        QVERIFY(s.Win->DKlamkaCb->isChecked());
    }

    // Check boxes set while the sheet is being filled do not reach the model.
    void checkBoxesIgnoredWhileLoading_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("output NC") << "DOut2Cb";
        QTest::newRow("input NC") << "DIn1Cb";
        QTest::newRow("exit reader") << "DRd0Cb";
        QTest::newRow("handle opening") << "DKlamkaCb";
        QTest::newRow("full bolt pulse") << "DFullTimCb";
    }

    void checkBoxesIgnoredWhileLoading()
    {
        QFETCH(QString, box);
        Sheet s(ModeInstalacja);
        s.ShowDoor(1);  // door 2 has a reader for the exit box
        const DoorCfg before = s.Door(1);
        s.Win->Loading = true;
        s.Control<QCheckBox>(box)->click();
        s.Win->Loading = false;
        QCOMPARE(s.Door(1).Outputs, before.Outputs);
        QCOMPARE(s.Door(1).Inputs, before.Inputs);
        QCOMPARE(s.Door(1).Params, before.Params);
    }

    // A time typed in is stored in half seconds and shown in its own form.
    void times_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half rounds down") << "DRygTimEd" << ParBoltPulse << "3,7" << 7 << "3,5";
        QTest::newRow("above the limit") << "DRygTimEd" << ParBoltPulse << "100" << 127 << "63,5";
        QTest::newRow("a point reads as the comma") << "DOpenTimEd" << ParOpenTime << "4.5" << 9 << "4,5";
        QTest::newRow("empty") << "DOpenTimEd" << ParOpenTime << "" << 0 << "0";
        // Keys that make no time are refused as they are typed.
        QTest::newRow("letters") << "DRygTimEd" << ParBoltPulse << "4a,x5" << 9 << "4,5";
        QTest::newRow("a sign") << "DOpenTimEd" << ParOpenTime << "-3" << 6 << "3";
        QTest::newRow("a second separator") << "DRygTimEd" << ParBoltPulse << "1,5.5" << 3 << "1,5";
    }

    void times()
    {
        QFETCH(QString, edit);
        QFETCH(int, param);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        Sheet s(ModeInstalacja);
        auto* ed = s.Control<QLineEdit>(edit);
        Type(ed, typed);
        QCOMPARE(int(s.Door(0).Params[param]), stored);
        QCOMPARE(ed->text(), shown);
    }

    void typeAirlockAndTrainNumber()
    {
        Sheet s(ModeInstalacja);
        QVERIFY(ChooseIndex(s.Win->DTypeCb, 3));
        QCOMPARE(s.Door(0).Params[ParDoorType], uint8_t(3));
        QVERIFY(ChooseIndex(s.Win->DSluzaSel, 1));
        QCOMPARE(s.Door(0).Params[ParDoorFlags], uint8_t(0x04));
        Type(s.Win->DTrainNrEd, "345");
        QCOMPARE(s.Win->DoorCfgSet.TrainNumber, uint16_t(345));
    }

    // A stored train number of five digits is shown whole, through reloads and
    // Enter, and kept as it is; what the installer types stops at four digits.
    void fiveDigitTrainNumberShownWhole()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        sim::BlockContent common;
        common.Data[0] = 0x39;  // 12345
        common.Data[1] = 0x30;
        WindowLan::SetBlock(ctrl, sim::CommonBlockType, 0, common);
        auto win = lan.Open();
        QCOMPARE(win->DTrainNrEd->text(), QString("12345"));
        win->DDoorTabs->Tabs->setCurrentIndex(1);
        QCOMPARE(win->DTrainNrEd->text(), QString("12345"));
        win->DTrainNrEd->setFocus();
        QTest::keyClick(win->DTrainNrEd, Qt::Key_Return);
        QCOMPARE(win->DoorCfgSet.TrainNumber, uint16_t(12345));

        Type(win->DTrainNrEd, "98765");
        QCOMPARE(win->DTrainNrEd->text(), QString("9876"));
        QCOMPARE(win->DoorCfgSet.TrainNumber, uint16_t(9876));
    }

    // Text typed into the airlock field counts as the item it names; "-----"
    // or no text as none; text that names no item changes nothing. The field
    // then shows the item stored, never the typed text.
    void airlockTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("index");
        QTest::newRow("an item's text") << "Śluza 1" << 0xC4 << "Śluza 1" << 1;
        QTest::newRow("an item's number") << "1" << 0xC4 << "Śluza 1" << 1;
        // Airlock 2 stays stored, beyond the items: no item shows.
        QTest::newRow("no item's text") << "Śluza 2" << 0xC5 << "" << -1;
        QTest::newRow("no item's number") << "3" << 0xC5 << "" << -1;
        QTest::newRow("no item at all") << "abc" << 0xC5 << "" << -1;
        QTest::newRow("none") << "-----" << 0xC0 << None << 0;
        QTest::newRow("nothing") << "" << 0xC0 << None << 0;
    }

    void airlockTyped()
    {
        QFETCH(QString, typed);
        QFETCH(int, flags);
        QFETCH(QString, shown);
        QFETCH(int, index);
        Sheet s(ModeInstalacja);
        s.Door(0).Params[ParDoorFlags] = 0xC5;  // handle, full pulse, airlock 2
        Type(s.Win->DSluzaSel->lineEdit(), typed);
        QCOMPARE(int(s.Door(0).Params[ParDoorFlags]), flags);
        QCOMPARE(s.Win->DSluzaSel->currentText(), shown);
        QCOMPARE(s.Win->DSluzaSel->currentIndex(), index);
    }

    // A stored airlock beyond the items offered shows no item, and the
    // sheet's own filling keeps it.
    void storedAirlockBeyondTheItems()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        sim::BlockContent door1;
        door1.Params[ParDoorFlags] = 0x06;  // airlock 3; two doors give one
        WindowLan::SetBlock(ctrl, sim::DoorBlockType, 0, door1);
        auto win = lan.Open();
        QCOMPARE(win->DSluzaSel->currentIndex(), -1);
        win->DDoorTabs->Tabs->setCurrentIndex(1);
        win->DDoorTabs->Tabs->setCurrentIndex(0);
        QCOMPARE(win->DSluzaSel->currentIndex(), -1);
        QCOMPARE(win->DoorCfgSet.Doors[0].Params[ParDoorFlags], uint8_t(0x06));
        // Enter without typing changes nothing; typing does.
        win->DSluzaSel->setFocus();
        QTest::keyClick(win->DSluzaSel->lineEdit(), Qt::Key_Return);
        QCOMPARE(win->DoorCfgSet.Doors[0].Params[ParDoorFlags], uint8_t(0x06));
        QCOMPARE(win->DSluzaSel->currentText(), QString());
        Type(win->DSluzaSel->lineEdit(), "3");
        QCOMPARE(win->DoorCfgSet.Doors[0].Params[ParDoorFlags], uint8_t(0x06));
        QCOMPARE(win->DSluzaSel->currentText(), QString());
        Type(win->DSluzaSel->lineEdit(), "-----");
        QCOMPARE(win->DoorCfgSet.Doors[0].Params[ParDoorFlags], uint8_t(0x00));
        QCOMPARE(win->DSluzaSel->currentText(), None);
    }

    // A time field is left when the focus moves to another control of the
    // window; an error box or another window taking the focus stores nothing.
    void timeStoredOnlyWhenLeftForTheWindow()
    {
        Sheet s(ModeInstalacja);
        s.Win->show();
        QVERIFY(QTest::qWaitForWindowActive(s.Win.get()));
        s.Win->DRygTimEd->setFocus(Qt::MouseFocusReason);
        QVERIFY(s.Win->DRygTimEd->hasFocus());
        s.Win->DRygTimEd->selectAll();
        QTest::keyClicks(s.Win->DRygTimEd, "2,");

        QWidget box;  // as a tick's error box, or another program after Alt-Tab
        auto* boxEdit = new QLineEdit(&box);
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        boxEdit->setFocus(Qt::OtherFocusReason);
        QCOMPARE(int(s.Door(0).Params[ParBoltPulse]), 7);
        QCOMPARE(s.Win->DRygTimEd->text(), QString("2,"));

        s.Win->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.Win.get()));
        QVERIFY(s.Win->DRygTimEd->hasFocus());
        QCOMPARE(int(s.Door(0).Params[ParBoltPulse]), 7);
        QTest::keyClicks(s.Win->DRygTimEd, "5");
        s.Win->DOpenTimEd->setFocus(Qt::TabFocusReason);
        QCOMPARE(int(s.Door(0).Params[ParBoltPulse]), 5);
        QCOMPARE(s.Win->DRygTimEd->text(), QString("2,5"));
    }

    // The wheel over a closed list or the door tabs, the pointer merely
    // resting there, changes nothing; over the list that has the focus it does.
    void wheelOnlyWithTheFocus()
    {
        Sheet s(ModeInstalacja);
        s.Win->show();
        QVERIFY(QTest::qWaitForWindowActive(s.Win.get()));
        s.Win->DRygTimEd->setFocus(Qt::MouseFocusReason);
        const auto wheel = [](QWidget* w) {
            const QPointF at = QRectF(w->rect()).center();
            QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &e);
        };
        const int bolt = s.Win->DOut0Sel->currentIndex();
        wheel(s.Win->DOut0Sel);
        wheel(s.Win->DDoorTabs->Tabs);
        wheel(s.Win->DTypeCb);
        QCOMPARE(s.Win->DOut0Sel->currentIndex(), bolt);
        QCOMPARE(s.Door(0).Outputs[OutBolt], Ref(0, 0));
        QCOMPARE(s.Door(0).Inputs[InOpenSensor], Ref(0, 0));
        QCOMPARE(s.Win->DDoorTabs->TabIndex(), 0);
        QCOMPARE(int(s.Door(0).Params[ParDoorType]), 1);
        QVERIFY(s.Win->DRygTimEd->hasFocus());
        QVERIFY(!s.Win->UnsavedEdits());

        s.Win->DTypeCb->setFocus(Qt::TabFocusReason);
        wheel(s.Win->DTypeCb);
        QCOMPARE(int(s.Door(0).Params[ParDoorType]), 2);
    }

    // Text typed and not yet stored stays through a refresh of the sheet (a
    // tick that finds the bus changed), and is stored when the field is left.
    void typedTextSurvivesATick()
    {
        Sheet s(ModeInstalacja);
        auto& ctrl = *static_cast<sim::EmuController*>(s.Lan.Devices[0].get());
        s.Win->show();
        QVERIFY(QTest::qWaitForWindowActive(s.Win.get()));
        s.Win->DTrainNrEd->setFocus(Qt::MouseFocusReason);
        s.Win->DTrainNrEd->selectAll();
        QTest::keyClicks(s.Win->DTrainNrEd, "77");
        ctrl.Bus->Entries[2].Flags = sim::BusInactive;
        s.Win->UDPTimerTimer();
        QCOMPARE(Rows(s.Win->DevListBox).size(), 3);
        QCOMPARE(s.Win->DTrainNrEd->text(), QString("77"));
        QCOMPARE(s.Win->DoorCfgSet.TrainNumber, uint16_t(12));

        s.Win->DRygTimEd->setFocus(Qt::TabFocusReason);
        QCOMPARE(s.Win->DoorCfgSet.TrainNumber, uint16_t(77));
        s.Win->DRygTimEd->selectAll();
        QTest::keyClicks(s.Win->DRygTimEd, "2,");
        ctrl.Bus->Entries[2].Flags = 0;
        s.Win->UDPTimerTimer();
        QCOMPARE(s.Win->DRygTimEd->text(), QString("2,"));
        QCOMPARE(int(s.Door(0).Params[ParBoltPulse]), 7);
        // A field without the focus shows what is stored.
        QCOMPARE(s.Win->DTrainNrEd->text(), QString("77"));

        s.Win->DOpenTimEd->setFocus(Qt::TabFocusReason);
        QCOMPARE(int(s.Door(0).Params[ParBoltPulse]), 4);
        QCOMPARE(s.Win->DRygTimEd->text(), QString("2"));
    }

    // "Usuń nieaktywne" removed the reader while door 2 still names it: its
    // slots show a reference without a device, and nothing offers it.
    void referenceToARemovedDevice()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        ctrl.Bus->Entries[1] = sim::BusEntry{};  // as the controller empties it
        auto win = lan.Open();
        win->DDoorTabs->Tabs->setCurrentIndex(1);
        QCOMPARE(win->DOut0Sel->currentText(), QString("? (Out1)"));
        QCOMPARE(win->DRd0Sel->currentText(), QString("? (Rd1)"));
        QCOMPARE(Items(win->DIn1Sel), QStringList({None}));
        for (QComboBox* sel : {win->DOut1Sel, win->DIn0Sel, win->DRd1Sel}) {
            for (const QString& item : Items(sel)) {
                QVERIFY2(!item.contains("65535") && !item.startsWith("?"), qPrintable(item));
            }
        }
    }

    // The "Testowanie" group is editable in installation mode only.
    void testGroup_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Serwis") << int(ModeSerwis) << false;
        QTest::newRow("Instalacja") << int(ModeInstalacja) << true;
    }

    void testGroup()
    {
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        Sheet s(static_cast<uint8_t>(mode));
        for (const char* name : {"DTstGrpBox", "DKlamkaCb", "DFullTimCb", "DTypeCb", "DTypeLb", "DRygTimEd",
                                 "DRygTimLb", "DRygTimsLb", "DOpenTimEd", "DOpenTimLb", "DOpenTimsLb"}) {
            QVERIFY2(s.Control<QWidget>(name)->isEnabled() == enabled, name);
        }
        // Shown all the same.
        QCOMPARE(s.Win->DRygTimEd->text(), QString("3,5"));
        QVERIFY(s.Win->DOut0Sel->isEnabled());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::DoorSheetTest)
#include "DoorSheetTest.moc"
