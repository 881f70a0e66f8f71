// The lockers sheet of the lockers controller (WindowLan::AddLockersController):
// what the installer's edits store, the colours of the locker numbers while
// they are typed, the room name and the test start number.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QTest>

#include "tests/support/HexBytes.h"
#include "tests/ui/widget/WindowLan.h"

namespace quor::test {

namespace {

const QString None = "  -----";

struct Sheet {
    WindowLan Lan;
    std::unique_ptr<TMainWin> Win;

    explicit Sheet(uint8_t mode, uint16_t testStart = 150)
    {
        Lan.AddLockersController(mode, testStart);
        Win = Lan.Open();
    }
    OutSetCfg& Lockers() { return Win->LockersCfg; }

    // Which of the 32 number edits are yellow, as "row first/last" texts.
    QStringList Yellow() const
    {
        QStringList yellow;
        for (int k = 0; k < LockerModules; ++k) {
            if (IsYellow(Win->LsSetBegEd[k])) {
                yellow << QString("%1 first").arg(k);
            }
            if (IsYellow(Win->LsSetEndEd[k])) {
                yellow << QString("%1 last").arg(k);
            }
        }
        return yellow;
    }

    static bool IsYellow(const QLineEdit* edit)
    {
        return edit->palette().color(QPalette::Base) == Qt::yellow;
    }
};

}  // namespace

class LockersSheetTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void showsTheRecord()
    {
        Sheet s(ModeInstalacja);
        QCOMPARE(s.Win->LsRoomNameEd->text(), QString("Hala A"));
        QCOMPARE(Values(s.Win->LsOutSetSel[1]), QList<uint>({0x0101, NoRef, 0x0200}));
        QCOMPARE(s.Win->LsSetEndEd[1]->text(), QString("20"));
        QCOMPARE(s.Win->LsSetBegEd[2]->text(), QString());
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("150"));
        QCOMPARE(s.Win->LsTimEd->text(), QString("4,5"));
        QCOMPARE(s.Yellow(), QStringList());
    }

    // The colours follow every keystroke; the sheet is not reloaded meanwhile.
    void numbersRecolourWhileTyping_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("last");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<QStringList>("yellow");
        QTest::newRow("inside row 0's range") << 1 << false << "5" << 5u << QStringList{"0 last", "1 first"};
        QTest::newRow("ranges touch") << 1 << false << "11" << 11u << QStringList{};
        QTest::newRow("32 lockers") << 1 << true << "42" << 42u << QStringList{};
        QTest::newRow("33 lockers") << 1 << true << "43" << 43u << QStringList{"1 first", "1 last"};
        QTest::newRow("last below first") << 0 << true << "0" << 0u << QStringList{"0 first", "0 last"};
        QTest::newRow("emptied") << 0 << false << "" << uint(NoLocker) << QStringList{"0 first"};
        QTest::newRow("numbers without a module")
            << 2 << false << "30" << 30u << QStringList{"2 first", "2 last"};
    }

    void numbersRecolourWhileTyping()
    {
        QFETCH(int, row);
        QFETCH(bool, last);
        QFETCH(QString, typed);
        QFETCH(uint, stored);
        QFETCH(QStringList, yellow);
        Sheet s(ModeInstalacja);
        // Changed behind the sheet's back: a reload would show it.
        s.Lockers().Params[ParPulseTime] = 20;
        QLineEdit* edit = last ? s.Win->LsSetEndEd[row] : s.Win->LsSetBegEd[row];
        Type(edit, typed);
        QCOMPARE(uint(last ? s.Lockers().LockerLast(row) : s.Lockers().LockerFirst(row)), stored);
        QCOMPARE(s.Yellow(), yellow);
        QCOMPARE(edit->text(), typed);
        QCOMPARE(s.Win->LsTimEd->text(), QString("4,5"));
    }

    // Choosing a module reloads the sheet and recomputes the colours.
    void clearingAModule()
    {
        Sheet s(ModeInstalacja);
        QVERIFY(ChooseIndex(s.Win->LsOutSetSel[1], 1));
        QCOMPARE(s.Lockers().OutputSets[1], NoRef);
        QCOMPARE(s.Yellow(), QStringList({"1 first", "1 last"}));
        // The module given up is offered to the other rows.
        QVERIFY(Values(s.Win->LsOutSetSel[5]).contains(0x0101));
        QVERIFY(Choose(s.Win->LsOutSetSel[2], 0x0101));
        QCOMPARE(s.Yellow(), QStringList({"1 first", "1 last", "2 first", "2 last"}));
        QVERIFY(!Values(s.Win->LsOutSetSel[5]).contains(0x0101));
    }

    // Polish letters are stored as Windows-1250 bytes, the name ends with a
    // zero byte and the rest of the field stays zero.
    void roomName()
    {
        Sheet s(ModeInstalacja);
        Type(s.Win->LsRoomNameEd, "Łódź Ślą");
        const auto field = std::span<const uint8_t>(s.Lockers().Params).subspan(ParRoomName, 16);
        // Windows-1250 code chart: Ł A3, ó F3, ź 9F, Ś 8C, ą B9.
        QCOMPARE(HexText(field), std::string("A3 F3 64 9F 20 8C 6C B9 00 00 00 00 00 00 00 00"));
    }

    // Characters Windows-1250 cannot hold are refused as they are typed: the
    // field shows what is stored.
    void roomNameRefusesWhatTheCodePageLacks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("Cyrillic") << "Hala Б2"
                                  << "Hala 2"
                                  << "48 61 6C 61 20 32 00";
        QTest::newRow("emoji") << "Sala \U0001F600 ż"
                               << "Sala  ż"
                               << "53 61 6C 61 20 20 BF 00";
        QTest::newRow("Latin ae") << "\u00E6x"
                                  << "x"
                                  << "78 00";
    }

    void roomNameRefusesWhatTheCodePageLacks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, bytes);
        Sheet s(ModeInstalacja);
        Type(s.Win->LsRoomNameEd, typed);
        QCOMPARE(s.Win->LsRoomNameEd->text(), shown);
        const auto field = std::span<const uint8_t>(s.Lockers().Params).subspan(ParRoomName, 16);
        QCOMPARE(HexText(field).substr(0, bytes.size()), bytes.toStdString());
    }

    // The opening pulse takes digits and one comma or point; a point reads as the comma.
    void pulseTime_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a point") << "2.5" << 5 << "2,5";
        QTest::newRow("letters and a sign") << "-x3" << 6 << "3";
    }

    void pulseTime()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        Sheet s(ModeInstalacja);
        Type(s.Win->LsTimEd, typed);
        QCOMPARE(int(s.Lockers().Params[ParPulseTime]), stored);
        QCOMPARE(s.Win->LsTimEd->text(), shown);
    }

    // At most 15 characters, whatever their bytes.
    void roomNameLimit()
    {
        Sheet s(ModeInstalacja);
        Type(s.Win->LsRoomNameEd, "Żółta szatnia nr 2");
        QCOMPARE(s.Win->LsRoomNameEd->text(), QString("Żółta szatnia n"));
        const auto field = std::span<const uint8_t>(s.Lockers().Params).subspan(ParRoomName, 16);
        QCOMPARE(HexText(field), std::string("AF F3 B3 74 61 20 73 7A 61 74 6E 69 61 20 6E 00"));
    }

    void testStartNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("a number") << "42"
                                  << "42" << 42;
        QTest::newRow("emptied") << ""
                                 << "" << 0;
        QTest::newRow("a fifth digit is refused") << "98765"
                                                  << "9876" << 9876;
    }

    void testStartNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        Sheet s(ModeInstalacja);
        Type(s.Win->LsStartNrEd, typed);
        QCOMPARE(s.Win->LsStartNrEd->text(), shown);
        QCOMPARE(int(s.Lockers().TestStart()), stored);
    }

    // A stored start number of five digits is shown whole and kept as it is,
    // while a reload shows it again; typing stays limited to four digits.
    void fiveDigitTestStartShownWhole()
    {
        Sheet s(ModeInstalacja, 12345);
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("12345"));
        Type(s.Win->LsTimEd, "3");  // leaving the time reloads the sheet
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("12345"));
        QCOMPARE(int(s.Lockers().TestStart()), 12345);

        s.Win->LsStartNrEd->setFocus();
        s.Win->LsStartNrEd->end(false);
        QTest::keyClick(s.Win->LsStartNrEd, Qt::Key_6);
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("12345"));
        QTest::keyClick(s.Win->LsStartNrEd, Qt::Key_Backspace);
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("1234"));
        QCOMPARE(int(s.Lockers().TestStart()), 1234);
        QTest::keyClick(s.Win->LsStartNrEd, Qt::Key_9);
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("1234"));
    }

    void inputsReadersAndPulse()
    {
        Sheet s(ModeInstalacja);
        QVERIFY(Choose(s.Win->LsIn3Sel, Ref(2, 0)));
        QCOMPARE(s.Lockers().Inputs[3], ResRef(Ref(2, 0) | RefNc));  // the empty row's box is ticked
        s.Win->LsIn3Cb->click();
        QCOMPARE(s.Lockers().Inputs[3], Ref(2, 0));
        s.Win->LsIn2Cb->click();
        QCOMPARE(s.Lockers().Inputs[2], ResRef(Ref(0, 0) | RefNc));
        QVERIFY(!Items(s.Win->LsIn2Sel).contains("X01_00004:In1"));

        QVERIFY(Choose(s.Win->LsRd3Sel, Ref(0, 1)));
        QCOMPARE(s.Lockers().Readers[3], Ref(0, 1));
        QVERIFY(!Items(s.Win->LsRd0Sel).contains("K03_00514:Rd2"));

        Type(s.Win->LsTimEd, "70");
        QCOMPARE(int(s.Lockers().Params[ParPulseTime]), 127);
        QCOMPARE(s.Win->LsTimEd->text(), QString("63,5"));
        QCOMPARE(s.Lockers().Inputs[0], Ref(0, 3));
    }

    void serviceModeShowsTheTestGroupOnly()
    {
        Sheet s(ModeSerwis);
        QVERIFY(!s.Win->LsStartNrEd->isEnabled());
        QVERIFY(!s.Win->LsTimEd->isEnabled());
        QCOMPARE(s.Win->LsStartNrEd->text(), QString("150"));
        QVERIFY(s.Win->LsRoomNameEd->isEnabled());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::LockersSheetTest)
#include "LockersSheetTest.moc"
