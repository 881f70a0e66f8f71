// The lift sheet of the lift controller (WindowLan::AddLiftController): what
// the installer's edits store and how the sheet follows them.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "tests/ui/widget/WindowLan.h"

namespace quor::test {

namespace {

const QString None = "  -----";

struct Sheet {
    WindowLan Lan;
    std::unique_ptr<TMainWin> Win;

    explicit Sheet(uint8_t mode)
    {
        Lan.AddLiftController(mode);
        Win = Lan.Open();
    }
    OutSetCfg& Lift() { return Win->LiftCfg; }
};

}  // namespace

class LiftSheetTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void showsTheRecord()
    {
        Sheet s(ModeInstalacja);
        QCOMPARE(Values(s.Win->LOutSet0Sel), QList<uint>({0x0100, NoRef, 0x0101, 0x0200}));
        QCOMPARE(Items(s.Win->LIn1Sel),
                 QStringList({"X01_00003:In1", None, "X01_00003:In2", "X01_00003:In3", "X01_00003:In4"}));
        // Input 0 (In4 of the controller) has no selector and is offered by none.
        QCOMPARE(Items(s.Win->LIn3Sel),
                 QStringList({"K02_00257:In1", None, "K02_00257:In2", "K02_00257:In3", "X01_00003:In2",
                              "X01_00003:In3", "X01_00003:In4", "X01_00004:In1", "X01_00004:In2"}));
        QCOMPARE(s.Win->LTimEd->text(), QString("4,5"));
    }

    // The floor-selection input stays only while the module is on its device.
    void moduleMoves_data()
    {
        QTest::addColumn<uint>("module");
        QTest::addColumn<uint>("floor");
        QTest::addColumn<QStringList>("floorItems");
        QTest::newRow("to the same device")
            << 0x0101u << 0x0100u
            << QStringList{"X01_00003:In1", None, "X01_00003:In2", "X01_00003:In3", "X01_00003:In4"};
        QTest::newRow("to another device")
            << 0x0200u << uint(NoRef) << QStringList{None, "X01_00004:In1", "X01_00004:In2"};
        QTest::newRow("to none") << uint(NoRef) << uint(NoRef) << QStringList{None};
    }

    void moduleMoves()
    {
        QFETCH(uint, module);
        QFETCH(uint, floor);
        QFETCH(QStringList, floorItems);
        Sheet s(ModeInstalacja);
        QVERIFY(Choose(s.Win->LOutSet0Sel, static_cast<ResRef>(module)));
        QCOMPARE(uint(s.Lift().OutputSets[0]), module);
        QCOMPARE(uint(s.Lift().Inputs[1]), floor);
        QCOMPARE(Items(s.Win->LIn1Sel), floorItems);
        // A released input is offered to the tamper row again.
        QCOMPARE(Items(s.Win->LIn3Sel).contains("X01_00003:In1"), floor == NoRef);
        // The module given up is offered again, the one taken is not.
        QCOMPARE(Values(s.Win->LOutSet0Sel).count(0x0100), 1);
    }

    void inputsReadersAndTime()
    {
        Sheet s(ModeInstalacja);
        QVERIFY(Choose(s.Win->LIn3Sel, Ref(2, 1)));
        QCOMPARE(s.Lift().Inputs[3], Ref(2, 1));  // the box of the old input was clear
        QVERIFY(Items(s.Win->LIn3Sel).contains("K02_00257:In1"));
        s.Win->LIn3Cb->click();
        QCOMPARE(s.Lift().Inputs[3], ResRef(Ref(2, 1) | RefNc));
        s.Win->LIn1Cb->click();
        QCOMPARE(s.Lift().Inputs[1], ResRef(Ref(1, 0) | RefNc));

        QVERIFY(Choose(s.Win->LRd2Sel, Ref(0, 1)));
        QCOMPARE(s.Lift().Readers[2], Ref(0, 1));
        // Taken by reader 3, so no longer offered to reader 1.
        QVERIFY(!Items(s.Win->LRd0Sel).contains("K02_00257:Rd2"));

        Type(s.Win->LTimEd, "2,7");
        QCOMPARE(int(s.Lift().Params[ParPulseTime]), 5);
        QCOMPARE(s.Win->LTimEd->text(), QString("2,5"));
        // A point reads as the comma; a letter is refused as it is typed.
        Type(s.Win->LTimEd, "3.x5");
        QCOMPARE(int(s.Lift().Params[ParPulseTime]), 7);
        QCOMPARE(s.Win->LTimEd->text(), QString("3,5"));
        // Nothing else changed, input 0 least of all.
        QCOMPARE(s.Lift().Inputs[0], Ref(0, 3));
        QCOMPARE(s.Lift().OutputSets[0], Ref(1, 0));
    }

    void checkBoxesIgnoredWhileLoading()
    {
        Sheet s(ModeInstalacja);
        s.Win->Loading = true;
        s.Win->LIn1Cb->click();
        s.Win->Loading = false;
        QCOMPARE(s.Lift().Inputs[1], Ref(1, 0));
    }

    void serviceModeShowsTheTimeOnly()
    {
        Sheet s(ModeSerwis);
        QVERIFY(!s.Win->LTimEd->isEnabled());
        QCOMPARE(s.Win->LTimEd->text(), QString("4,5"));
        QVERIFY(s.Win->LOutSet0Sel->isEnabled());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::LiftSheetTest)
#include "LiftSheetTest.moc"
