// Edits not yet written: the write button's mark, the question before an act
// that would lose them, and the edits kept while the controller's mode is away.
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/ui/widget/LanTraffic.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"

namespace quor::test {

namespace {

const QString Question = "Niezapisane zmiany konfiguracji K01_12345 zostaną utracone. Kontynuować?";

// The questions asked, each answered with Answer.
struct Questions {
    Questions()
    {
        TMainWin::QuestionHook = [this](const QString& q) { return Asked << q, Answer; };
    }
    ~Questions() { TMainWin::QuestionHook = nullptr; }
    Questions(const Questions&) = delete;
    Questions& operator=(const Questions&) = delete;

    QStringList Asked;
    bool Answer = false;
};

bool Marked(const QPushButton* button)
{
    return button->property("unsaved").toBool();
}

// The commands sent to ip from trace index mark on that read or change a controller.
std::string Acts(const sim::VirtualLan& lan, const std::string& ip, size_t mark)
{
    return CommandsAmong(lan, ip, mark, "DCcFR");
}

}  // namespace

class UnsavedEditsTest : public CatchingErrors {
    Q_OBJECT

private slots:
    // An edit marks the write button; writing, or undoing the edit by hand, clears it.
    void markFollowsTheEdits()
    {
        WindowLan lan;
        lan.AddDoorController(ModeInstalacja);
        auto win = lan.Open();
        QVERIFY(!win->UnsavedEdits());
        QVERIFY(!Marked(win->DWrCfgBtn));
        QCOMPARE(win->DWrCfgBtn->text(), QString("Zapisz konfigurację"));
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        QVERIFY(Marked(win->DWrCfgBtn));
        QCOMPARE(win->DWrCfgBtn->text(), QString("Zapisz konfigurację"));
        QCOMPARE(win->DWrCfgBtn->toolTip(), QString("Niezapisane zmiany"));
        QVERIFY(Choose(win->DOut1Sel, NoRef));
        QVERIFY(!Marked(win->DWrCfgBtn));
        win->DKlamkaCb->click();
        QVERIFY(Marked(win->DWrCfgBtn));
        win->DWrCfgBtn->click();
        QVERIFY(!Marked(win->DWrCfgBtn));
        QVERIFY(!win->UnsavedEdits());
    }

    // Every act that would read the controller afresh asks first; Nie leaves
    // everything as it was and sends nothing, Tak goes on.
    void actsThatLoseEditsAsk_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addColumn<std::string>("sent");  // to the door controller, on Tak
        QTest::newRow("another row") << "row" << std::string();
        QTest::newRow("the same row again") << "same row" << std::string("DCCC");
        QTest::newRow("Usuń nieaktywne") << "delete" << std::string("DFDCCC");
        QTest::newRow("Zastąp") << "replace" << std::string("RDCCC");
    }

    void actsThatLoseEditsAsk()
    {
        QFETCH(QString, act);
        QFETCH(std::string, sent);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto& entries = ctrl.Bus->Entries;
        entries.push_back(Entry(0x20050005, 5, 1, 0, 2, 1, 0, sim::BusInactive));
        entries.push_back(Entry(0x2005000C, 6, 1, 0, 2, 1, 0, sim::BusNew));
        lan.AddLiftController(ModeSerwis);
        auto win = lan.Open();
        TMainWin::KeepAliveSlot = 1;
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        const auto doIt = [&] {
            if (act == "row") {
                win->EthLstBox->setCurrentRow(1);
            } else if (act == "same row") {
                emit win->EthLstBox->Click();
            } else if (act == "delete") {
                win->DevDelLostBtn->click();
            } else {
                win->DevReplaceBtn->click();
            }
        };
        Questions questions;
        const size_t mark = lan.Lan.Trace.size();
        doIt();
        QCOMPARE(questions.Asked, QStringList{Question});
        QCOMPARE(Acts(lan.Lan, DoorCtrlIp, mark), std::string());
        QCOMPARE(Acts(lan.Lan, LiftCtrlIp, mark), std::string());
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QCOMPARE(win->EthLstBox->currentRow(), 0);
        QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], Ref(2, 0));
        QVERIFY(win->UnsavedEdits());

        questions.Answer = true;
        doIt();
        QCOMPARE(questions.Asked, QStringList({Question, Question}));
        QCOMPARE(Acts(lan.Lan, DoorCtrlIp, mark), sent);
        QVERIFY(!win->UnsavedEdits());
        if (act == "row") {
            QCOMPARE(win->UdpDevSet.Selected, 1);
            QCOMPARE(Acts(lan.Lan, LiftCtrlIp, mark), std::string("DC"));
        }
    }

    // Nothing to lose, nothing to ask.
    void noEditsNoQuestion()
    {
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        lan.AddLiftController(ModeSerwis);
        auto win = lan.Open();
        Questions questions;
        win->EthLstBox->setCurrentRow(1);
        QCOMPARE(win->UdpDevSet.Selected, 1);
        win->show();
        QVERIFY(win->close());
        QVERIFY(questions.Asked.isEmpty());
    }

    void closingAsks()
    {
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        win->show();
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        Questions questions;
        QVERIFY(!win->close());
        QVERIFY(win->isVisible());
        questions.Answer = true;
        QVERIFY(win->close());
        QCOMPARE(questions.Asked, QStringList({Question, Question}));
    }

    // The controller goes to Blokada and back: the sheet goes, and returns
    // with the edit when the configuration is the one the edit was made on;
    // when it was changed meanwhile, the installer is told and sees the new one.
    void editsKeptWhileTheModeIsAway_data()
    {
        QTest::addColumn<bool>("changedMeanwhile");
        QTest::newRow("unchanged") << false;
        QTest::newRow("changed meanwhile") << true;
    }

    void editsKeptWhileTheModeIsAway()
    {
        QFETCH(bool, changedMeanwhile);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(Choose(win->DOut1Sel, Ref(2, 0)));
        ctrl.Mode = ModeBlokada;
        win->UDPTimerTimer();
        QVERIFY(win->SheetSet->isHidden());
        QVERIFY(win->UnsavedEdits());
        if (changedMeanwhile) {
            sim::BlockContent door2;
            door2.Outputs[0] = Ref(1, 0);
            door2.Params[ParOpenTime] = 9;  // at the web page, say
            WindowLan::SetBlock(ctrl, sim::DoorBlockType, 1, door2);
        }
        ctrl.Mode = ModeSerwis;
        win->UDPTimerTimer();
        QVERIFY(!win->SheetSet->isHidden());
        if (changedMeanwhile) {
            QCOMPARE(TakeErrors(),
                     QStringList{"Niezapisane zmiany konfiguracji K01_12345 zostały odrzucone: gdy "
                                 "kontroler był w trybie Blokada, jego konfiguracja została zmieniona. "
                                 "Pokazano konfigurację odczytaną teraz."});
            QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], NoRef);
            QCOMPARE(win->DoorCfgSet.Doors[1].Params[ParOpenTime], uint8_t(9));
            QVERIFY(!win->UnsavedEdits());
        } else {
            QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], Ref(2, 0));
            QCOMPARE(win->DOut1Sel->currentData().toUInt(), uint(Ref(2, 0)));
            QVERIFY(Marked(win->DWrCfgBtn));
            // Written as edited, and read back so.
            win->DWrCfgBtn->click();
            QVERIFY(!win->UnsavedEdits());
            emit win->EthLstBox->Click();
            QCOMPARE(win->DoorCfgSet.Doors[0].Outputs[OutReminder], Ref(2, 0));
        }
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::UnsavedEditsTest)
#include "UnsavedEditsTest.moc"
