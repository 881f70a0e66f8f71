// The main window as it opens and as it closes (its layout: LayoutTest).
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <system_error>

#include "link/EndpointError.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/QtPolish.h"
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
    [[noreturn]] static void Fail()
    {
        throw EndpointError(NetStep::Bind, std::make_error_code(std::errc::address_in_use), "45389");
    }
    sim::VirtualClock Ticks;
};

}  // namespace

class StartupTest : public CatchingErrors {
    Q_OBJECT

private slots:
    // The first device found is in mode Konfiguracja: its error box opens
    // over the window, once the window is there, not before it.
    void errorBeforeTheWindowFollowsIt()
    {
        WindowLan lan;
        sim::BusConfig bus;
        bus.Kind = sim::KindDoorsCode;
        bus.DoorCount = 1;
        bus.Entries = {Entry(DoorCtrlId, 1, 2, 2, 4, 2)};
        lan.AddController(DoorCtrlIp, DoorCtrlId, ModeKonfiguracja, std::move(bus));
        TMainWin::ErrorHook = nullptr;
        auto win = lan.Open();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QString text;
        bool windowShown = false;
        QTimer::singleShot(200, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                windowShown = win->isVisible() && box->parentWidget() == win.get();
                box->close();
            }
        });
        win->show();
        QTRY_VERIFY(!text.isEmpty());
        QCOMPARE(
            text,
            QString("K01_12345, tryb: Konfiguracja.\n\nBłąd nr 11: Kontroler nie pozwala odczytać ustawień "
                    "przejść.\nUstaw go w tryb 'Service'\n"));
        QVERIFY(windowShown);
    }

    void noDeviceAnswers()
    {
        WindowLan lan;
        auto win = lan.Open();
        QCOMPARE(win->windowTitle(), QString("quorConfig 2.1.0"));
        QCOMPARE(win->size(), QSize(1041, 662));
        QCOMPARE(win->minimumSize(), win->maximumSize());
        QCOMPARE(win->EthLstBox->count(), 0);
        QVERIFY(!win->EthWwwBtn->isEnabled());
        QVERIFY(win->SheetSet->isHidden());
        QCOMPARE(win->UdpDevSet.Selected, -1);
        QVERIFY(Errors->Texts.isEmpty());
    }

    void searchErrorShownOnce()
    {
        PortTaken udp;
        TMainWin win(&udp);
        QCOMPARE(TakeErrors(), QStringList{"Błąd sieci: nie można otworzyć portu UDP 45389.\n\n"
                                           "Adres lub port jest już zajęty.\n\n"
                                           "Port 45389 zajmuje inny program, np. druga kopia quorConfig."});
        QCOMPARE(win.EthLstBox->count(), 0);
        QVERIFY(win.SheetSet->isHidden());
    }

    // Qt's own texts (the file dialog, standard buttons) in Polish, from the
    // system's Qt translations.
    void qtSpeaksPolish()
    {
        QTranslator polish;
        QVERIFY(LoadQtPolish(polish));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Anuluj"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QString("Nazwa &pliku:"));
        QCoreApplication::removeTranslator(&polish);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }

    // The window's end closes the session it holds with the controller, once.
    void closingEndsSession()
    {
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QVERIFY(win->UdpDevSet.Dev[0].SessionOpen);
        QCOMPARE(ctrl.Received['s'], 0);
        win.reset();
        QCOMPARE(ctrl.Received['s'], 1);
        QVERIFY(Errors->Texts.isEmpty());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::StartupTest)
#include "StartupTest.moc"
