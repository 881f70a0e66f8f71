// The help window: its form, the rule that keeps the document loaded last,
// and the two "Pomoc" buttons that show it modally.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include "tests/ui/widget/WindowLan.h"
#include "ui/WHelp.h"

namespace quor::test {

namespace {

QString FirstLine(const THelpWin& help)
{
    return help.HelpEdit->document()->firstBlock().text();
}

int Scroll(const THelpWin& help)
{
    return help.HelpEdit->verticalScrollBar()->value();
}

void ScrollDown(THelpWin& help)
{
    help.HelpEdit->verticalScrollBar()->setValue(300);
}

// What the help window looked like while the button's modal loop ran.
struct Seen {
    bool Visible = false;
    bool Modal = false;
    bool Active = false;
    QString Title;
    QString FirstLine;
};

// Presses the button and closes the help window from inside its modal loop.
Seen PressHelp(QPushButton* button, THelpWin& help)
{
    Seen seen;
    QTimer::singleShot(0, &help, [&] {
        seen.Visible = help.isVisible();
        seen.Modal = help.isModal();
        seen.Active = QApplication::activeModalWidget() == &help;
        seen.Title = help.windowTitle();
        seen.FirstLine = FirstLine(help);
        help.close();
    });
    button->click();
    return seen;
}

}  // namespace

class HelpWinTest : public CatchingErrors {
    Q_OBJECT

private slots:
    void formAsLaidOut()
    {
        THelpWin help;
        help.show();
        QCOMPARE(help.size(), QSize(862, 639));
        QCOMPARE(help.HelpEdit->geometry(), QRect(3, 3, 856, 633));
        help.resize(1000, 700);
        QApplication::processEvents();
        QCOMPARE(help.HelpEdit->geometry(), QRect(3, 3, 994, 694));
        QVERIFY(help.HelpEdit->isReadOnly());
        QCOMPARE(help.HelpEdit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(help.HelpEdit->lineWrapMode(), QTextEdit::WidgetWidth);
        QVERIFY(help.windowTitle().isEmpty());
        const bool tahoma = QFile::exists("/usr/share/wine/fonts/tahoma.ttf");
        QCOMPARE(help.HelpEdit->font().family(), QString(tahoma ? "Tahoma" : "Liberation Sans"));
        QCOMPARE(help.HelpEdit->font().pointSize(), 8);
        QCOMPARE(help.HelpEdit->document()->defaultFont().pointSize(), 8);
    }

    void centredOnTheDesktop()
    {
        THelpWin help;
        help.show();
        const QPoint centre = help.screen()->availableGeometry().center();
        QCOMPARE(help.frameGeometry().center(), centre);
    }

    // Headings, body text and lists as the document formats them.
    void documentFormatting()
    {
        THelpWin help;
        help.LoadHelpDoc(0);
        const QTextBlock heading = help.HelpEdit->document()->firstBlock();
        QCOMPARE(heading.text(), QString("Tryby serwisowe kontrolera"));
        QCOMPARE(heading.charFormat().fontPointSize(), 16.0);
        QCOMPARE(heading.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        const QTextBlock body = heading.next();
        QCOMPARE(body.begin().fragment().charFormat().fontPointSize(), 12.0);
        QCOMPARE(body.begin().fragment().charFormat().fontFamilies().toStringList(),
                 QStringList{"Times New Roman"});
        QTextBlock entry = body;
        while (entry.isValid() && !entry.text().startsWith("Blokada\t- ")) {
            entry = entry.next();
        }
        QVERIFY(entry.isValid());
        QVERIFY(entry.blockFormat().textIndent() < 0);
        QCOMPARE(entry.begin().fragment().text(), QString("Blokada"));
        QCOMPARE(entry.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
    }

    void firstLoadShowsTheDocumentFromTheTop()
    {
        THelpWin help;
        help.LoadHelpDoc(1);
        QCOMPARE(help.windowTitle(), QString("Okno kontrolera"));
        QCOMPARE(FirstLine(help), QString("Okno wybranego kontrolera"));
        QCOMPARE(Scroll(help), 0);
    }

    void sameDocumentAgainKeepsItsPlace()
    {
        THelpWin help;
        help.show();
        help.LoadHelpDoc(0);
        ScrollDown(help);
        QCOMPARE(Scroll(help), 300);
        help.LoadHelpDoc(0);
        QCOMPARE(Scroll(help), 300);
        QCOMPARE(help.windowTitle(), QString("Okno Ethernet"));
    }

    void anotherDocumentReplacesItFromTheTop()
    {
        THelpWin help;
        help.show();
        help.LoadHelpDoc(0);
        ScrollDown(help);
        help.LoadHelpDoc(1);
        QCOMPARE(help.windowTitle(), QString("Okno kontrolera"));
        QCOMPARE(FirstLine(help), QString("Okno wybranego kontrolera"));
        QCOMPARE(Scroll(help), 0);
        ScrollDown(help);
        help.LoadHelpDoc(0);
        QCOMPARE(help.windowTitle(), QString("Okno Ethernet"));
        QCOMPARE(FirstLine(help), QString("Tryby serwisowe kontrolera"));
        QCOMPARE(Scroll(help), 0);
    }

    void buttonsShowTheirDocumentModally()
    {
        WindowLan lan;
        auto win = lan.Open();
        THelpWin help(win.get());
        win->HelpWin = &help;
        win->show();

        const Seen eth = PressHelp(win->EthHelpBtn, help);
        QVERIFY(eth.Visible);
        QVERIFY(eth.Modal);
        QVERIFY(eth.Active);
        QCOMPARE(eth.Title, QString("Okno Ethernet"));
        QCOMPARE(eth.FirstLine, QString("Tryby serwisowe kontrolera"));
        QVERIFY(!help.isVisible());

        const Seen dev = PressHelp(win->DevHelpBtn, help);
        QVERIFY(dev.Visible);
        QVERIFY(dev.Active);
        QCOMPARE(dev.Title, QString("Okno kontrolera"));
        QCOMPARE(dev.FirstLine, QString("Okno wybranego kontrolera"));
        QVERIFY(!help.isVisible());
        QVERIFY(Errors->Texts.isEmpty());
    }
};

}  // namespace quor::test

QTEST_MAIN(quor::test::HelpWinTest)
#include "HelpWinTest.moc"
