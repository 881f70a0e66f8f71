// The main window as it opens and as it closes (its layout: LayoutTest).
#include <QListWidget>
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
