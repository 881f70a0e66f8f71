// The report command: the proposed name, the two dialogs, and the file that
// is written, replaced or refused.
#include <map>
#include <memory>
#include <optional>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/widget/ReportDialogs.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/LokDlg.h"

namespace quor::test {

namespace {

// The Polish letters of the expected report in Windows-1250 (Microsoft's
// code page table); lines end in CR LF.
QByteArray Cp1250Lines(const QString& text)
{
    const std::map<char16_t, char> letters = {{u'ą', '\xB9'}, {u'ć', '\xE6'}, {u'ę', '\xEA'},
                                              {u'ł', '\xB3'}, {u'ó', '\xF3'}, {u'ś', '\x9C'}};
    QByteArray bytes;
    for (const QChar c : text) {
        if (c == u'\n') {
            bytes += "\r\n";
        } else if (const auto letter = letters.find(c.unicode()); letter != letters.end()) {
            bytes += letter->second;
        } else {
            bytes += static_cast<char>(c.unicode());
        }
    }
    return bytes;
}

// AddDoorController's configuration, saved on 30 August 2019.
const QString Report = R"(    Raport konfiguracji przejść kontrolera
==============================================

       Kontroler: K01_12345
     Lokalizacja: Budynek B, wejście główne
            Data: 2019-08-30

      Urządzenia: K01_12345/A1
                  R05_00001/A2
                  D01_00007/A3


Przejście 1
==============================================
    Wyjścia:
                  Rygiel: K01_12345:Out1
                   Alarm: K01_12345:Out3 [NC]
    Wejścia:
        Przycisk wyjścia: K01_12345:In2
        Czujnik otwarcia: K01_12345:In1

Przejście 2
==============================================
    Wyjścia:
                  Rygiel: R05_00001:Out1
    Czytniki:
               Czytnik 1: R05_00001:Rd1
)";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    // The dialogs open in the process's current directory.
    void init()
    {
        QVERIFY(Folder.emplace().isValid());
        QVERIFY(QDir::setCurrent(Folder->path()));
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    }

    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        Folder.reset();
        QLocale::setDefault(QLocale::c());
    }

    // Started on the 29th and confirmed after midnight: the name carries the
    // first date, the report the second. The regional separator goes into the
    // name (a slash would make folders of it), and the name gets ".txt".
    void writesTheReport_data()
    {
        QTest::addColumn<QLocale>("region");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("file");
        QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland) << "2019.08.29 K01_12345"
                                << "2019.08.29 K01_12345.txt";
        QTest::newRow("Swedish") << QLocale(QLocale::Swedish, QLocale::Sweden) << "2019-08-29 K01_12345"
                                 << "2019-08-29 K01_12345.txt";
        QTest::newRow("American") << QLocale(QLocale::English, QLocale::UnitedStates)
                                  << "2019-08-29 K01_12345"
                                  << "2019-08-29 K01_12345.txt";
    }

    void writesTheReport()
    {
        QFETCH(QLocale, region);
        QFETCH(QString, proposed);
        QFETCH(QString, file);
        QLocale::setDefault(region);
        ErrorCatcher errors;
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = Open(lan);
        QString offered;
        Locate(win.get(), QString("Budynek B, wejście główne"));
        ChooseFile(win.get(), &offered);
        win->DRapBtn->click();
        QCOMPARE(offered, proposed);
        QCOMPARE(Contents(file), Cp1250Lines(Report));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{file});
        QVERIFY(errors.Texts.isEmpty());
    }

    // An existing file is replaced whole, without a question; a second report
    // offers the location typed for the first.
    void replacesAnExistingFile()
    {
        ErrorCatcher errors;
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = Open(lan);
        // A question would block the command in a box of its own.
        QVERIFY(win->SaveRapDlg->testOption(QFileDialog::DontConfirmOverwrite));
        QFile old("raport.txt");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4000, 'x'));
        old.close();
        QString proposed;
        Locate(win.get(), QString("Budynek B, wejście główne"));
        ChooseFile(win.get(), &proposed, "raport.txt");
        win->DRapBtn->click();
        QCOMPARE(Contents("raport.txt"), Cp1250Lines(Report));

        QString offered;
        Locate(win.get(), QString("Budynek B, wejście główne"), &offered);
        ChooseFile(win.get(), &proposed, "raport.txt");
        win->DRapBtn->click();
        QCOMPARE(offered, QString("Budynek B, wejście główne"));
        QCOMPARE(Contents("raport.txt"), Cp1250Lines(Report));
        QVERIFY(errors.Texts.isEmpty());
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<bool>("atLocation");
        QTest::newRow("location dialog") << true;
        QTest::newRow("file dialog") << false;
    }

    void cancelWritesNothing()
    {
        QFETCH(bool, atLocation);
        ErrorCatcher errors;
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = Open(lan);
        bool fileDialogOpened = false;
        bool modal = false;
        int maxLength = 0;
        WhenOpen<TLokalizDlg>(win.get(), [&, atLocation](TLokalizDlg* dialog) {
            modal = dialog->isModal();
            maxLength = dialog->LokEdit->maxLength();
            dialog->LokEdit->setText("Hala");
            (atLocation ? dialog->CancelBtn : dialog->OKBtn)->click();
        });
        WhenOpen<QFileDialog>(win.get(), [&fileDialogOpened](QFileDialog* dialog) {
            fileDialogOpened = true;
            dialog->reject();
        });
        win->DRapBtn->click();
        QVERIFY(modal);
        QCOMPARE(maxLength, 80);
        QCOMPARE(fileDialogOpened, !atLocation);
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(errors.Texts.isEmpty());
    }

    // Enter presses the button that has the focus, "Zapisz" when the focus
    // is in the edit; Esc cancels wherever the focus is.
    void locationDialogKeys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter in the edit") << "LokEdit" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Enter on Zapisz") << "OKBtn" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Enter on Anuluj") << "CancelBtn" << int(Qt::Key_Return) << int(QDialog::Rejected);
        QTest::newRow("keypad Enter on Anuluj")
            << "CancelBtn" << int(Qt::Key_Enter) << int(QDialog::Rejected);
        QTest::newRow("Esc in the edit") << "LokEdit" << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("Esc on Zapisz") << "OKBtn" << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void locationDialogKeys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, result);
        TLokalizDlg dialog;
        dialog.open();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* target = dialog.findChild<QWidget*>(focus);
        QVERIFY(target != nullptr);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        // Set apart from Rejected, so that a key that closes nothing shows.
        dialog.setResult(-1);
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        QVERIFY(dialog.isHidden());
        QCOMPARE(dialog.result(), result);
    }

    // The file type reads as words, and the dialog still lists *.txt files only.
    void saveDialogFileType()
    {
        ErrorCatcher errors;
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = Open(lan);
        QString typeText;
        QStringList patterns;
        Locate(win.get(), "Hala");
        WhenOpen<QFileDialog>(win.get(), [&](QFileDialog* dialog) {
            if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo")) {
                typeText = types->currentText();
            }
            if (auto* files = dialog->findChild<QFileSystemModel*>()) {
                patterns = files->nameFilters();
            }
            dialog->reject();
        });
        win->DRapBtn->click();
        QCOMPARE(typeText, QString("Konfiguracja kontrolera"));
        QCOMPARE(patterns, QStringList{"*.txt"});
        QVERIFY(errors.Texts.isEmpty());
    }

    // "Usuń nieaktywne" removed the reader while door 2 still names it: the
    // report names what the door holds without making up a device.
    void referenceToARemovedDevice()
    {
        ErrorCatcher errors;
        WindowLan lan;
        auto& ctrl = lan.AddDoorController(ModeSerwis);
        ctrl.Bus->Entries[1] = sim::BusEntry{};  // as the controller empties it
        auto win = Open(lan);
        QString offered;
        Locate(win.get(), "Hala");
        ChooseFile(win.get(), &offered);
        win->DRapBtn->click();
        const QByteArray report = Contents(offered + ".txt");
        const QByteArray door2 = report.mid(report.indexOf("Przej\x9C"
                                                           "cie 2"));
        QCOMPARE(door2, QByteArray("Przej\x9C"
                                   "cie 2\r\n"
                                   "==============================================\r\n"
                                   "    Wyj\x9C"
                                   "cia:\r\n"
                                   "                  Rygiel: ? (Out1)\r\n"
                                   "    Czytniki:\r\n"
                                   "               Czytnik 1: ? (Rd1)\r\n"));
        QVERIFY(errors.Texts.isEmpty());
    }

    // The location is written in Windows-1250: what it cannot hold is refused as typed.
    void locationRefusesWhatTheCodePageLacks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Polish letters") << "Łódź, hala Ż"
                                        << "Łódź, hala Ż";
        QTest::newRow("Cyrillic") << "Hala Б, wejście"
                                  << "Hala , wejście";
        QTest::newRow("emoji") << "Hala \U0001F3ED B"
                               << "Hala  B";
    }

    void locationRefusesWhatTheCodePageLacks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TLokalizDlg dialog;
        dialog.LokEdit->setFocus();
        for (const QChar c : typed) {
            QTest::sendKeyEvent(QTest::Click, dialog.LokEdit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE(dialog.LokEdit->text(), shown);
    }

    // A path that cannot be written: a message naming it and the system's
    // reason, and nothing left behind.
    void unwritablePath()
    {
        ErrorCatcher errors;
        WindowLan lan;
        lan.AddDoorController(ModeSerwis);
        auto win = Open(lan);
        QFile blocker("plik");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = Folder->filePath("plik/raport.txt");
        QString proposed;
        Locate(win.get(), "Hala");
        ChooseFile(win.get(), &proposed, path);
        win->DRapBtn->click();
        QCOMPARE(errors.Texts,
                 QStringList{"Nie można zapisać raportu w pliku\n" + path + "\n\nNot a directory"});
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"plik"});
        QCOMPARE(Contents("plik"), QByteArray());
    }

private:
    // The window with its dates fixed: the 29th when the command starts, the
    // 30th when the report is written. Its timer is left out of these tests.
    static std::unique_ptr<TMainWin> Open(WindowLan& lan)
    {
        auto win = lan.Open();
        win->UDPTimer->stop();
        auto calls = std::make_shared<int>(0);
        win->Today = [calls] { return ++*calls % 2 == 1 ? QDate(2019, 8, 29) : QDate(2019, 8, 30); };
        return win;
    }

    std::optional<QTemporaryDir> Folder;
};

}  // namespace quor::test

QTEST_MAIN(quor::test::ReportTest)
#include "ReportTest.moc"
