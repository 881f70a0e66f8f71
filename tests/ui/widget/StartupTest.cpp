// The main window as it opens: its frame, its controls and its shutdown.
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"

namespace quor::test {

namespace {

// An endpoint whose socket cannot be had, as when another program holds the port.
class PortTaken : public Endpoint {
public:
    void Send(std::string_view, uint16_t, std::span<const uint8_t>) override { Fail(); }
    void Broadcast(uint16_t, std::span<const uint8_t>) override { Fail(); }
    int Receive(std::span<uint8_t>, int, std::string*) override { Fail(); }
    Clock& Time() override { return Ticks; }

private:
    [[noreturn]] static void Fail() { throw std::runtime_error("Address already in use"); }
    sim::VirtualClock Ticks;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void noDeviceAnswers()
    {
        ErrorCatcher errors;
        WindowLan lan;
        auto win = lan.Open();
        QCOMPARE(win->windowTitle(), QString("quorConfig 2.1.0"));
        QCOMPARE(win->size(), QSize(1041, 662));
        QCOMPARE(win->minimumSize(), win->maximumSize());
        QCOMPARE(win->EthLstBox->count(), 0);
        QVERIFY(!win->EthWwwBtn->isEnabled());
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(win->UdpDevSet.Selected, -1);
        QVERIFY(errors.Texts.isEmpty());
    }

    void searchErrorShownOnce()
    {
        ErrorCatcher errors;
        PortTaken udp;
        TMainWin win(&udp);
        QCOMPARE(errors.Texts, QStringList{"Address already in use"});
        QCOMPARE(win.EthLstBox->count(), 0);
        QVERIFY(win.SheetSet->isHidden());
    }

    // Where the layout puts a sample of controls, each in its own container.
    void controlPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("place");
        QTest::newRow("Ethernet pane") << "EthSelBox"
                                       << "MainWin" << QRect(16, 8, 281, 209);
        QTest::newRow("page control") << "SheetSet"
                                      << "MainWin" << QRect(309, 8, 716, 641);
        QTest::newRow("device list") << "EthLstBox"
                                     << "EthSelBox" << QRect(24, 40, 233, 113);
        QTest::newRow("search button") << "EthSearchBtn"
                                       << "EthSelBox" << QRect(152, 168, 105, 25);
        QTest::newRow("replacement list") << "DevReplCb"
                                          << "DevReplBox" << QRect(16, 40, 153, 22);
        QTest::newRow("door tabs") << "DDoorTabs"
                                   << "DoorSheet" << QRect(5, 0, 692, 561);
        QTest::newRow("bolt selector") << "DOut0Sel"
                                       << "DDoorGrpBox" << QRect(112, 16, 113, 22);
        QTest::newRow("evacuation NC") << "DIn4Cb"
                                       << "DInGrpBox" << QRect(240, 116, 33, 17);
        QTest::newRow("open time") << "DOpenTimEd"
                                   << "DTstGrpBox" << QRect(128, 143, 33, 22);
        QTest::newRow("lift module") << "LOutSet0Sel"
                                     << "StopGrpBox" << QRect(112, 32, 113, 22);
        QTest::newRow("lockers row F") << "LsSetFEndEd"
                                       << "LsLockersGrpBox" << QRect(216, 536, 33, 22);
        QTest::newRow("lockers pulse") << "LsTimEd"
                                       << "LsTstGrpBox" << QRect(200, 71, 33, 22);
    }

    void controlPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, place);
        ErrorCatcher errors;
        WindowLan lan;
        auto win = lan.Open();
        auto* w = win->findChild<QWidget*>(name);
        QVERIFY2(w != nullptr, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), container);
        QCOMPARE(w->geometry(), place);
    }

    void startState()
    {
        ErrorCatcher errors;
        WindowLan lan;
        auto win = lan.Open();
        QCOMPARE(win->SheetSet->count(), 3);
        QCOMPARE(win->SheetSet->tabText(0), QString("Przejścia"));
        QCOMPARE(win->SheetSet->tabText(1), QString("Winda"));
        QCOMPARE(win->SheetSet->tabText(2), QString("Szafki"));
        QCOMPARE(win->SheetSet->currentWidget(), win->DoorSheet);
        QVERIFY(!win->DevDelLostBtn->isEnabled());
        QVERIFY(!win->DevReplaceBtn->isEnabled());
        QVERIFY(win->DevHelpBtn->isEnabled());
        QVERIFY(win->DWrCfgProgrBar->isHidden());
        QCOMPARE(win->DTypeCb->count(), 5);
    }

    // The window's end closes the session it holds with the controller, once.
    void closingEndsSession()
    {
        ErrorCatcher errors;
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(win->UdpDevSet.Dev[0].SessionOpen);
        QCOMPARE(ctrl.Received['s'], 0);
        win.reset();
        QCOMPARE(ctrl.Received['s'], 1);
        QVERIFY(errors.Texts.isEmpty());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::StartupTest)
#include "StartupTest.moc"
