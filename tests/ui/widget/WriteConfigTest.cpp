// The write buttons of the three sheets: the blocks the controller receives,
// the confirmation animation, and a write that fails on the way.
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/support/HexBytes.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"

namespace quor::test {

namespace {

// Every position a progress bar takes, and whether it was shown at each.
struct ProgressWatch {
    explicit ProgressWatch(QProgressBar* bar)
    {
        QObject::connect(bar, &QProgressBar::valueChanged, &Context, [this, bar](int position) {
            Positions << position;
            Shown = Shown && !bar->isHidden();
        });
    }
    QObject Context;
    QList<int> Positions;
    bool Shown = true;
};

// One run of the animation.
const QList<int> OneRun = {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100};

// The blocks written, in order: "type.index:length".
QStringList Written(const sim::EmuController& ctrl)
{
    QStringList blocks;
    for (const auto& [type, index, body] : ctrl.Writes) {
        blocks << QString("%1.%2:%3").arg(type).arg(index).arg(body.size());
    }
    return blocks;
}

std::string BodyOf(const sim::EmuController& ctrl, size_t i)
{
    return HexText(std::get<2>(ctrl.Writes.at(i)));
}

// The standard door controller with a third door, its bolt on the module.
sim::EmuController& AddThreeDoors(WindowLan& lan, uint8_t trainFlag)
{
    auto& ctrl = lan.AddDoorController(ModeInstalacja);
    ctrl.Bus->DoorCount = 3;
    ctrl.Bus->TrainFlag = trainFlag;
    sim::BlockContent door3;
    door3.Outputs[0] = Ref(2, 0);
    WindowLan::SetBlock(ctrl, sim::DoorBlockType, 2, door3);
    return ctrl;
}

const std::string Zeros16 = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

}  // namespace

class WriteConfigTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void doorWrites_data()
    {
        QTest::addColumn<int>("trainFlag");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("train flag 1: the common block first")
            << 1 << QStringList{"16.0:8", "1.0:100", "1.1:100", "1.2:100"};
        QTest::newRow("train flag 0: the doors only") << 0 << QStringList{"1.0:100", "1.1:100", "1.2:100"};
    }

    void doorWrites()
    {
        QFETCH(int, trainFlag);
        QFETCH(QStringList, blocks);
        WindowLan lan;
        auto& ctrl = AddThreeDoors(lan, static_cast<uint8_t>(trainFlag));
        auto win = lan.Open();
        ProgressWatch progress(win->DWrCfgProgrBar);
        QVERIFY(Choose(win->DOut1Sel, Ref(0, 1)));  // reminder: Out2 of the controller
        win->DKlamkaCb->click();
        if (trainFlag == 1) {
            Type(win->DTrainNrEd, "345");
        }
        win->DWrCfgBtn->click();

        QCOMPARE(Written(ctrl), blocks);
        if (trainFlag == 1) {
            QCOMPARE(BodyOf(ctrl, 0), std::string("59 01 FF FF FF FF FF FF"));
        }
        const std::string door1 = "00 00 01 00 82 00 FF FF "                                      // outputs
                                  "01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "  // inputs
                                  "FF FF FF FF FF FF FF FF "                                      // readers
                                  "01 00 40 00 07 00 14 00 00 00 00 00 00 00 00 00 " +            // params
                                  Zeros16 +
                                  " " + Zeros16 + " " + Zeros16;
        QCOMPARE(BodyOf(ctrl, trainFlag == 1 ? 1 : 0), door1);
        QCOMPARE(progress.Positions, OneRun);
        QVERIFY(progress.Shown);
        QVERIFY(win->DWrCfgProgrBar->isHidden());
        QVERIFY(Errors->Texts.isEmpty());
        // Writing changes nothing in the model: the sheet shows the same.
        QCOMPARE(win->DOut1Sel->currentText(), QString("K01_12345:Out2"));
        QCOMPARE(win->DoorCfgSet.Doors[0].Params[ParDoorFlags], uint8_t(0x40));
    }

    // The controller fails on the second door block: its message, no
    // animation, the third door block never sent, the edits kept for the next try.
    void doorWriteFails_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("no reply: door 2 tried three times")
            << int(sim::Fault::DropReply)
            << "K01_12345, tryb: Instalacja.\n\nBłąd nr 9 (r.'c'): Brak odpowiedzi na rozkaz.\n"
            << QStringList{"16.0:8", "1.0:100", "1.1:100", "1.1:100", "1.1:100"};
        QTest::newRow("not acknowledged")
            << int(sim::Fault::BadAck)
            << "K01_12345, tryb: Instalacja.\n\nBłąd nr 10 (r.'c'): Brak potwierdzenia wysłanego rozkazu.\n"
            << QStringList{"16.0:8", "1.0:100", "1.1:100"};
    }

    void doorWriteFails()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(QStringList, blocks);
        WindowLan lan;
        auto& ctrl = AddThreeDoors(lan, 1);
        auto win = lan.Open();
        ProgressWatch progress(win->DWrCfgProgrBar);
        Type(win->DTrainNrEd, "345");
        // The common block and door 1 are acknowledged, door 2 is not.
        ctrl.Inject(static_cast<sim::Fault>(fault), 'c', -1, 2);
        win->DWrCfgBtn->click();

        QCOMPARE(Errors->Texts, QStringList{message});
        QVERIFY(progress.Positions.isEmpty());
        QVERIFY(win->DWrCfgProgrBar->isHidden());
        QCOMPARE(Written(ctrl), blocks);
        QCOMPARE(win->DoorCfgSet.TrainNumber, uint16_t(345));

        ctrl.ClearFaults();
        ctrl.Writes.clear();
        win->DWrCfgBtn->click();
        QCOMPARE(Written(ctrl), QStringList({"16.0:8", "1.0:100", "1.1:100", "1.2:100"}));
        QCOMPARE(progress.Positions, OneRun);
        QCOMPARE(TakeErrors().size(), 1);
    }

    // Answers that came in meanwhile are taken in before the write: a device
    // that answered late is listed, and the write still goes to the selected one.
    void lateAnswersListedFirst()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        auto win = lan.Open();
        lan.AddDevice("10.45.0.20", RecorderId, ModeSerwis);
        // A search whose answers nobody has collected yet.
        lan.Pc.Broadcast(45389, HexBytes("4D 4D 44 4F FF FF FF FF F8 F3 14 64"));
        lan.Lan.Clock.Ms += 10;
        win->DWrCfgBtn->click();

        QCOMPARE(win->EthLstBox->count(), 2);
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" C01_00001,  10.45.0.20,  Serwis"));
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QCOMPARE(Written(ctrl), QStringList({"16.0:8", "1.0:100", "1.1:100"}));
        QVERIFY(Errors->Texts.isEmpty());
    }

    void liftWrite()
    {
        WindowLan lan;
        auto& ctrl = lan.AddLiftController(ModeInstalacja);
        auto win = lan.Open();
        ProgressWatch progress(win->LWrCfgProgrBar);
        QVERIFY(Choose(win->LOutSet0Sel, Ref(2, 0)));  // another device: the floor input goes
        win->LWrCfgBtn->click();

        QCOMPARE(Written(ctrl), QStringList{"2.0:100"});
        const std::string lift = "00 02 FF FF FF FF FF FF "  // output sets
                                 "03 00 FF FF FF FF 00 00 FF FF FF FF FF FF FF FF FF FF FF FF "  // inputs
                                 "00 00 FF FF FF FF FF FF "                                      // readers
                                 "00 00 00 00 09 00 00 00 00 00 00 00 00 00 00 00 " +            // params
                                 Zeros16 +
                                 " " + Zeros16 + " " + Zeros16;
        QCOMPARE(BodyOf(ctrl, 0), lift);
        QCOMPARE(progress.Positions, OneRun);
        QVERIFY(progress.Shown);
        QVERIFY(win->LWrCfgProgrBar->isHidden());
        QVERIFY(Errors->Texts.isEmpty());
    }

    // Locker numbers marked invalid are written as they are, without a word.
    void lockersWrite()
    {
        WindowLan lan;
        auto& ctrl = lan.AddLockersController(ModeInstalacja);
        auto win = lan.Open();
        ProgressWatch progress(win->LsWrCfgProgrBar);
        Type(win->LsSetBegEd[1], "5");  // inside row 0's range: yellow
        win->LsWrCfgBtn->click();

        QCOMPARE(Written(ctrl), QStringList{"3.0:176"});
        const std::string lockers =
            "00 01 01 01 FF FF FF FF FF FF FF FF FF FF FF FF "  // output sets 0-7
            "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "  // output sets 8-15
            "03 00 FF FF 00 00 FF FF "                          // inputs
            "FF FF FF FF FF FF FF FF "                          // readers
            "00 00 00 00 09 00 00 00 00 00 00 00 00 00 00 00 "  // params: opening pulse
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 96 00 "  // test start 150
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "  //
            "48 61 6C 61 20 41 00 00 00 00 00 00 00 00 00 00 "  // room name
            "01 00 0A 00 05 00 14 00 FF FF FF FF FF FF FF FF "  // lockers 1-10, 5-20
            "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
            "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";
        QCOMPARE(BodyOf(ctrl, 0), lockers);
        QCOMPARE(progress.Positions, OneRun);
        QVERIFY(win->LsWrCfgProgrBar->isHidden());
        QVERIFY(Errors->Texts.isEmpty());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::WriteConfigTest)
#include "WriteConfigTest.moc"
