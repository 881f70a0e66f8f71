// The bus-device pane: the loaded controller's devices and the controls of
// the maintenance commands.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/ui/widget/WindowLan.h"

namespace quor::test {

class BusPaneTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void listsTheControllersDevices()
    {
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = lan.Open();
        QCOMPARE(win->DevSelBox->title(), QString(" K01_12345 "));
        QStringList rows;
        for (int i = 0; i < win->DevListBox->count(); ++i) {
            rows << win->DevListBox->item(i)->text();
            QCOMPARE(win->DevListBox->visualItemRect(win->DevListBox->item(i)).height(), 14);
        }
        QCOMPARE(rows, QStringList({"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A2",
                                    "2.      Moduł: D01_00007/A3"}));
        QVERIFY(Errors->Texts.isEmpty());
    }

    // Which replacement pairs the box offers, and which controls it enables.
    void replacement_data()
    {
        QTest::addColumn<uint>("secondReader");
        QTest::addColumn<int>("firstFlags");
        QTest::addColumn<int>("secondFlags");
        QTest::addColumn<bool>("deleteEnabled");
        QTest::addColumn<QStringList>("pairs");
        QTest::newRow("no inactive device") << 0x20050002u << 0 << int(sim::BusNew) << false << QStringList();
        QTest::newRow("inactive and new of one model")
            << 0x20050002u << int(sim::BusInactive) << int(sim::BusNew) << true
            << QStringList{"R05_00001 <-- R05_00002"};
        QTest::newRow("inactive and new of two models")
            << 0x20060002u << int(sim::BusInactive) << int(sim::BusNew) << true << QStringList();
    }

    void replacement()
    {
        QFETCH(uint, secondReader);
        QFETCH(int, firstFlags);
        QFETCH(int, secondFlags);
        QFETCH(bool, deleteEnabled);
        QFETCH(QStringList, pairs);
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        ctrl.Bus->Entries[1].Flags = static_cast<uint8_t>(firstFlags);
        ctrl.Bus->Entries.push_back(Entry(secondReader, 4, 1, 0, 2, 1, 0, static_cast<uint8_t>(secondFlags)));
        auto win = lan.Open();
        QCOMPARE(win->DevListBox->count(), 4);
        QCOMPARE(win->DevDelLostBtn->isEnabled(), deleteEnabled);
        QCOMPARE(Items(win->DevReplCb), pairs);
        const bool replace = !pairs.isEmpty();
        QCOMPARE(win->DevReplCb->currentIndex(), replace ? 0 : -1);
        for (QWidget* w :
             {static_cast<QWidget*>(win->DevReplCb), static_cast<QWidget*>(win->DevReplOldLb),
              static_cast<QWidget*>(win->DevReplNewLb), static_cast<QWidget*>(win->DevReplaceBtn)}) {
            QVERIFY2(w->isEnabled() == replace, qPrintable(w->objectName()));
        }
        if (replace) {
            // Low byte the old entry (1), high byte the new one (3).
            QCOMPARE(win->DevReplCb->itemData(0).toUInt(), 0x0301u);
        }
        QVERIFY(Errors->Texts.isEmpty());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::BusPaneTest)
#include "BusPaneTest.moc"
