// The Ethernet pane: the devices found, the search, the web page, and what
// selecting a device loads or refuses.
#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include "sim/Scenario.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/RowList.h"
#include "ui/TabControl.h"

namespace quor::test {

namespace {

// The installer's mouse over a row of the list, with the left button held
// from the press to the release.
void Mouse(TRowList* list, QEvent::Type type, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &e);
}

}  // namespace

class EthPaneTest : public CatchingErrors {
    Q_OBJECT

public slots:
    // Stands in for the browser.
    void OpenUrl(const QUrl& url) { Opened << url; }

protected:
    void Prepare() override { Opened.clear(); }

private slots:
    void initTestCase() { QDesktopServices::setUrlHandler("http", this, "OpenUrl"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("http"); }

    // More devices answer than the list holds: it keeps 100 and says so once
    // per search, at start and at "Przeszukaj sieć".
    void aFullListSaysHowManyItLeftOut()
    {
        WindowLan lan;
        for (int n = 1; n <= 103; ++n) {
            lan.AddDevice("10.45.1." + std::to_string(n), RecorderId + n, ModeSerwis);
        }
        auto win = lan.Open();
        QCOMPARE(win->EthLstBox->count(), 100);
        const QStringList said{"Lista mieści 100 urządzeń; 3 pozostałych nie pokazano."};
        QCOMPARE(TakeErrors(), said);
        win->EthSearchBtn->click();
        QCOMPARE(TakeErrors(), said);
    }

    void listsEveryDeviceAndLoadsTheFirst()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeInstalacja);
        lan.AddDevice("10.45.0.20", RecorderId, ModeSerwis);
        auto win = lan.Open();
        QCOMPARE(win->EthLstBox->count(), 2);
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" K01_12345,  10.45.0.10,  Instalacja"));
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" C01_00001,  10.45.0.20,  Serwis"));
        QCOMPARE(win->EthLstBox->currentRow(), 0);
        QCOMPARE(win->EthLstBox->visualItemRect(win->EthLstBox->item(1)).height(), 14);
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QVERIFY(win->EthWwwBtn->isEnabled());
        QCOMPARE(ctrl.Received['D'], 1);
        QVERIFY(!win->SheetSet->isHidden());
        QVERIFY(Errors->Texts.isEmpty());
    }

    // A second search finds a device that sorts before the selected one: the
    // selection stays on its device, which is not read again.
    void searchKeepsTheSelectedDevice()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        lan.AddDevice("10.45.0.5", ReaderId, ModeSerwis);
        win->EthSearchBtn->click();
        QCOMPARE(win->EthLstBox->count(), 2);
        QCOMPARE(win->EthLstBox->item(0)->text(), QString(" R05_00001,  10.45.0.5,  Serwis"));
        QCOMPARE(win->EthLstBox->currentRow(), 1);
        QCOMPARE(win->UdpDevSet.Selected, 1);
        QCOMPARE(ctrl.Received['D'], 1);
        QVERIFY(!win->SheetSet->isHidden());
        QVERIFY(Errors->Texts.isEmpty());
    }

    // A click on the selected row reads the controller again.
    void clickOnSelectedRowReloads()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        emit win->EthLstBox->Click();
        QCOMPARE(ctrl.Received['D'], 2);
        QVERIFY(Errors->Texts.isEmpty());
    }

    // Whatever moves the highlight selects that device, as a click does: a
    // press on one row released on another after a drag, once per gesture.
    void dragSelectsWhereTheMouseIsReleased()
    {
        WindowLan lan;
        auto& door = lan.AddDoorController(ModeSerwis);
        auto& lift = lan.AddLiftController(ModeSerwis);
        auto win = lan.Open();
        win->show();  // a list that is not shown ignores the mouse moving over it
        QVERIFY(QTest::qWaitForWindowExposed(win.get()));
        TRowList* list = win->EthLstBox;
        QCOMPARE(win->UdpDevSet.Selected, 0);

        Mouse(list, QEvent::MouseButtonPress, 0);
        Mouse(list, QEvent::MouseMove, 1);
        QCOMPARE(lift.Received['D'], 0);  // taken when the button is released
        Mouse(list, QEvent::MouseButtonRelease, 1);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(win->UdpDevSet.Selected, 1);
        QCOMPARE(lift.Received['D'], 1);
        QCOMPARE(win->SheetSet->currentWidget(), win->LiftSheet);

        // A click on the highlighted row reads it again, once.
        Mouse(list, QEvent::MouseButtonPress, 1);
        Mouse(list, QEvent::MouseButtonRelease, 1);
        QCOMPARE(lift.Received['D'], 2);

        // Back and forth across the rows: only the row of the release is read.
        Mouse(list, QEvent::MouseButtonPress, 1);
        Mouse(list, QEvent::MouseMove, 0);
        Mouse(list, QEvent::MouseMove, 1);
        Mouse(list, QEvent::MouseMove, 0);
        Mouse(list, QEvent::MouseButtonRelease, 0);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QCOMPARE(door.Received['D'], 2);
        QCOMPARE(lift.Received['D'], 2);
        QCOMPARE(win->SheetSet->currentWidget(), win->DoorSheet);
        QVERIFY(Errors->Texts.isEmpty());
    }

    // The desktop opens the page; where nothing can open it, a box says so.
    void wwwOpensTheSelectedDevicesPage_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("browser") << true << QStringList();
        QTest::newRow("no browser") << false
                                    << QStringList{"Nie można otworzyć strony http://10.45.0.20: brak "
                                                   "przeglądarki internetowej."};
    }

    void wwwOpensTheSelectedDevicesPage()
    {
        QFETCH(bool, browser);
        QFETCH(QStringList, texts);
        WindowLan lan;
        lan.AddDevice("10.45.0.20", RecorderId, ModeSerwis);
        auto win = lan.Open();
        if (!browser) {
            win->OpenUrl = [this](const QUrl& url) {
                Opened << url;
                return false;
            };
        }
        win->EthWwwBtn->click();
        QCOMPARE(Opened, QList<QUrl>{QUrl("http://10.45.0.20")});
        QCOMPARE(TakeErrors(), texts);
    }

    // What selecting a device shows: its sheet, or a message and no sheet.
    void selecting_data()
    {
        QTest::addColumn<uint>("id");
        QTest::addColumn<int>("mode");
        QTest::addColumn<char>("version");
        QTest::addColumn<int>("errorCode");  // 0: no message
        QTest::addColumn<bool>("sheets");
        QTest::newRow("controller in Serwis") << uint(DoorCtrlId) << int(ModeSerwis) << '2' << 0 << true;
        QTest::newRow("controller in Blokada") << uint(DoorCtrlId) << int(ModeBlokada) << '2' << 11 << false;
        QTest::newRow("controller in Konfiguracja")
            << uint(DoorCtrlId) << int(ModeKonfiguracja) << '2' << 11 << false;
        QTest::newRow("protocol version 1") << uint(DoorCtrlId) << int(ModeSerwis) << '1' << 2 << false;
        QTest::newRow("protocol version 3") << uint(DoorCtrlId) << int(ModeSerwis) << '3' << 3 << false;
        QTest::newRow("time recorder") << uint(RecorderId) << int(ModeSerwis) << '2' << 0 << false;
    }

    void selecting()
    {
        QFETCH(uint, id);
        QFETCH(int, mode);
        QFETCH(char, version);
        QFETCH(int, errorCode);
        QFETCH(bool, sheets);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        ctrl.Id = id;
        ctrl.Mode = static_cast<uint8_t>(mode);
        ctrl.VersionDigit = static_cast<uint8_t>(version);
        auto win = lan.Open();
        QCOMPARE(win->EthLstBox->count(), 1);
        QCOMPARE(win->SheetSet->isHidden(), !sheets);
        QCOMPARE(win->BusDevTable.DoorCount != 0, sheets);
        if (errorCode == 0) {
            QVERIFY(Errors->Texts.isEmpty());
        } else {
            const QStringList texts = TakeErrors();
            QCOMPARE(texts.size(), 1);
            QVERIFY2(texts[0].contains(QString::fromUtf8(ErrorMessage(errorCode))), qPrintable(texts[0]));
        }
        // A refused controller's bus-device table is never asked for.
        QCOMPARE(ctrl.Received['D'], sheets ? 1 : 0);
    }

    // The shipped small site: the first controller loads at start; moving
    // down the list with the keyboard selects the second, whose mode refuses.
    void smallSiteByKeyboard()
    {
        sim::VirtualLan lan;
        auto& pc = lan.AddPc();
        sim::Scenario site = sim::LoadScenario(QUOR_SCENARIO_DIR "/small.json");
        sim::AttachAll(site, lan);
        auto win = std::make_unique<TMainWin>(&pc);
        QCOMPARE(win->EthLstBox->count(), 2);
        QCOMPARE(win->DDoorTabs->Tabs->count(), 1);
        QVERIFY(win->DTrainNrEd->isHidden());
        QCOMPARE(Items(win->DSluzaSel), QStringList{"  -----"});
        QCOMPARE(win->DevListBox->count(), 3);
        QVERIFY(Errors->Texts.isEmpty());

        QTest::keyClick(win->EthLstBox, Qt::Key_Down);
        QCOMPARE(win->UdpDevSet.Selected, 1);
        const QStringList texts = TakeErrors();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains(QString::fromUtf8(ErrorMessage(11))));
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" K01_00002,  10.45.1.20,  Konfiguracja"));
        // The pane keeps the last table it showed.
        QCOMPARE(win->DevListBox->count(), 3);
    }

    // A device that does not answer when clicked shows so in its row at once.
    void silentDeviceShowsUnreachable()
    {
        WindowLan lan;
        lan.AddDoorController(ModeInstalacja);
        lan.AddLiftController(ModeSerwis);
        auto win = lan.Open();
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" K02_00257,  10.45.0.11,  Serwis"));
        lan.Lan.Detach(LiftCtrlIp);
        win->EthLstBox->setCurrentRow(1);
        QCOMPARE(TakeErrors(),
                 QStringList{"K02_00257, tryb: Niedostępny.\n\nBłąd nr 1: Urządzenie nie odpowiada.\n"});
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" K02_00257,  10.45.0.11,  Niedostępny"));
        win->UDPTimerTimer();
        QCOMPARE(win->EthLstBox->item(1)->text(), QString(" K02_00257,  10.45.0.11,  Niedostępny"));
    }

    // The controller no longer keeps this window's session: it restarted, or
    // another PC took it over meanwhile. A click then meets it as a freshly
    // started window would: a session nobody holds is opened again, one that
    // another PC holds is error 4, every time.
    void sessionLostMeanwhile_data()
    {
        QTest::addColumn<QString>("peer");  // who holds the controller's session now; empty: nobody
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("restarted") << QString() << QStringList();
        const QString foreign =
            "K01_12345, tryb: Serwis.\n\nBłąd nr 4: Kontroler ma obcą sesję.\n\nMożliwe "
            "przyczyny:\n - kontroler połączony z inną kopią programu,\n - kontroler pamięta "
            "sesję z poprzednim wywołaniem programu.\nW tym drugim przypadku należy poczekać "
            "około 30s.\n";
        QTest::newRow("taken over") << "10.45.9.9" << QStringList({foreign, foreign});
    }

    void sessionLostMeanwhile()
    {
        QFETCH(QString, peer);
        QFETCH(QStringList, texts);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(win->UdpDevSet.Dev[0].SessionOpen);
        ctrl.SessionPeer.clear();  // as after a restart
        if (!peer.isEmpty()) {
            ctrl.HoldForeignSession(lan.Lan.Clock.Ms, peer.toStdString());
        }
        emit win->EthLstBox->Click();
        emit win->EthLstBox->Click();
        QCOMPARE(TakeErrors(), texts);
        QCOMPARE(win->SheetSet->isHidden(), !peer.isEmpty());
    }

    // The demo installation opens where an installer works: on the door
    // controller with a train number and a replacement pair.
    void demoOpensOnTheDoorSheet()
    {
        sim::VirtualLan lan;
        auto& pc = lan.AddPc();
        sim::Scenario demo = sim::LoadScenario(QUOR_SCENARIO_DIR "/demo.json");
        sim::AttachAll(demo, lan);
        auto win = std::make_unique<TMainWin>(&pc);
        QCOMPARE(Rows(win->EthLstBox),
                 QStringList({" K01_01101,  10.45.1.11,  Serwis", " K01_01501,  10.45.1.15,  Blokada",
                              " K02_01201,  10.45.1.12,  Instalacja", " K03_01301,  10.45.1.13,  Serwis",
                              " K04_01401,  10.45.1.14,  Serwis", " C01_05001,  10.45.1.21,  Serwis"}));
        QCOMPARE(win->UdpDevSet.Selected, 0);
        QVERIFY(!win->SheetSet->isHidden());
        QCOMPARE(win->SheetSet->currentWidget(), win->DoorSheet);
        QVERIFY(!win->DTrainNrEd->isHidden());
        QCOMPARE(win->DevSelBox->title(), QString(" K01_01101 "));
        QCOMPARE(Items(win->DevReplCb), QStringList{"R05_20103 <-- R05_20104"});
        QVERIFY(Errors->Texts.isEmpty());
    }

    // Controllers behind a router, named on the command line: the start and
    // "Przeszukaj sieć" ask their addresses besides the broadcast.
    void searchAsksTheTargets()
    {
        sim::VirtualLan lan;
        auto& pc = lan.AddPc();
        sim::Scenario site = sim::LoadScenario(QUOR_SCENARIO_DIR "/small.json");
        sim::AttachAll(site, lan);
        sim::EmuController behind(0x212D0003, 2);  // K01_00003
        SearchScope scope;
        AddTarget(scope.Targets, "10.2.0.7", false);
        auto win = std::make_unique<TMainWin>(&pc, nullptr, scope);
        QCOMPARE(win->EthLstBox->count(), 2);  // nothing at 10.2.0.7 yet
        lan.Attach("10.2.0.7", behind);
        const size_t mark = lan.Trace.size();
        win->EthSearchBtn->click();
        QCOMPARE(win->EthLstBox->count(), 3);
        QCOMPARE(win->EthLstBox->item(2)->text(), QString(" K01_00003,  10.2.0.7,  Serwis"));
        QCOMPARE(lan.SentTo("10.2.0.7", mark).front().Data[3], uint8_t('O'));
    }

    // The selected device stops answering: a message, and its row says so.
    void silentDevice()
    {
        WindowLan lan;
        lan.AddDevice("10.45.0.20", RecorderId, ModeSerwis);
        auto win = lan.Open();
        lan.Lan.Detach("10.45.0.20");
        emit win->EthLstBox->Click();
        const QStringList texts = TakeErrors();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains(QString::fromUtf8(ErrorMessage(1))));
        QVERIFY(win->SheetSet->isHidden());
    }

private:
    QList<QUrl> Opened;
};

}  // namespace quor::test

QTEST_MAIN(quor::test::EthPaneTest)
#include "EthPaneTest.moc"
