// window_driver: the configurator's window on real sockets, driven through
// its controls as an installer would, inside the PC namespace of a LAN that
// tools/lan builds:
//   tools/lan run -- window_driver STEP...
// The window is the program's own, with its own UDP endpoint, help window and
// location dialog; error boxes are caught and fail the run. It is drawn
// offscreen unless QT_QPA_PLATFORM says otherwise (xcb, to watch it). Steps:
//   target ADDR       before anything else: the window searches ADDR[/PREFIX] too (--target)
//   list COUNT        the rows of the Ethernet list once it holds COUNT rows
//   select NAME       click the device's row in the Ethernet list; its door sheet must show
//   bolt DOOR ITEM    click door DOOR's tab and pick ITEM (e.g. K01_00021:Out2) in the bolt selector
//   tick              leave the window alone until its timer has ticked once more
//   write             click "Zapisz konfigurację" on the door sheet; the progress bar must run
//   delete-lost       click "Usuń nieaktywne"
//   report LOCATION   click "Raport", type LOCATION and "Zapisz" in the location dialog, and take
//                     the save dialog's proposal (in the current directory)
// Each step prints what the window shows after it, for the calling test to
// compare. Exit status: 0 every step done; 1 a step failed or an error box
// opened (the reason on stderr); 2 a wrong command line, or not run in a
// network namespace of its own.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "link/Udpdev.h"
#include "tests/ui/widget/ReportDialogs.h"
#include "tools/common/NetGuard.h"
#include "ui/LokDlg.h"
#include "ui/RowList.h"
#include "ui/TabControl.h"
#include "ui/WBMain.h"
#include "ui/WHelp.h"

namespace {

using quor::TMainWin;

// A device that answered the search late is listed by a later tick.
constexpr int ListedWithinMs = 10000;
// The whole run; a modal dialog left unanswered would otherwise hold it for good.
constexpr int RunLimitMs = 90000;

struct Step {
    std::string Name;
    std::vector<QString> Args;
};

[[noreturn]] void Fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

void Say(const QString& line)
{
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

int NumberArg(const QString& text, const Step& step)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0) {
        throw std::invalid_argument(step.Name + ": not a number: " + text.toStdString());
    }
    return n;
}

// The steps of the command line, checked before any socket is opened.
std::vector<Step> ReadSteps(int argc, char** argv)
{
    const std::vector<std::pair<std::string, int>> arity = {{"select", 1}, {"bolt", 2},        {"tick", 0},
                                                            {"write", 0},  {"delete-lost", 0}, {"report", 1},
                                                            {"target", 1}, {"list", 1}};
    std::vector<Step> steps;
    for (int i = 1; i < argc;) {
        Step step{argv[i++], {}};
        const auto known =
            std::find_if(arity.begin(), arity.end(), [&](const auto& a) { return a.first == step.Name; });
        if (known == arity.end()) {
            throw std::invalid_argument("unknown step: " + step.Name);
        }
        for (int k = 0; k < known->second; ++k, ++i) {
            if (i >= argc) {
                throw std::invalid_argument(step.Name + ": missing argument");
            }
            step.Args.push_back(QString::fromUtf8(argv[i]));
        }
        if (step.Name == "bolt" || step.Name == "list") {
            NumberArg(step.Args[0], step);
        }
        steps.push_back(std::move(step));
    }
    if (steps.empty()) {
        throw std::invalid_argument("no steps");
    }
    return steps;
}

QStringList Items(const QComboBox* sel)
{
    QStringList texts;
    for (int i = 0; i < sel->count(); ++i) {
        texts << sel->itemText(i);
    }
    return texts;
}

// A control the installer can reach: shown on the screen and enabled.
void Click(QWidget* w, const QString& what, QPoint at = {})
{
    if (!w->isVisible() || !w->isEnabled()) {
        Fail(what + ": not shown or not enabled");
    }
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
}

class Driver {
public:
    explicit Driver(TMainWin& win) : Win(win)
    {
        TMainWin::ErrorHook = [this](const QString& text) { Boxes << text; };
        // Connected after the window's own handler: a tick counted has run.
        QObject::connect(Win.UDPTimer, &QTimer::timeout, [this] { ++Ticks; });
    }
    ~Driver() { TMainWin::ErrorHook = nullptr; }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    void Run(const Step& step)
    {
        if (step.Name == "select") {
            Select(step.Args[0]);
        } else if (step.Name == "bolt") {
            Bolt(NumberArg(step.Args[0], step), step.Args[1]);
        } else if (step.Name == "tick") {
            const int before = Ticks;
            if (!QTest::qWaitFor([&] { return Ticks > before; }, ListedWithinMs)) {
                Fail("tick: the timer did not tick");
            }
        } else if (step.Name == "write") {
            Write();
        } else if (step.Name == "delete-lost") {
            DeleteLost();
        } else if (step.Name == "report") {
            Report(step.Args[0]);
        } else if (step.Name == "list") {
            const int count = NumberArg(step.Args[0], step);
            if (!QTest::qWaitFor([&] { return Win.EthLstBox->count() >= count; }, ListedWithinMs)) {
                Fail(QString("list: %1 rows, not %2").arg(Win.EthLstBox->count()).arg(count));
            }
            for (int i = 0; i < Win.EthLstBox->count(); ++i) {
                Say("listed: " + Win.EthLstBox->item(i)->text().trimmed());
            }
        }
        if (!Boxes.isEmpty()) {
            Fail(QString::fromStdString(step.Name) + ": error box: " + Boxes.join("\n---\n"));
        }
    }

private:
    int RowOf(const QString& name) const
    {
        for (int i = 0; i < Win.UdpDevSet.Count; ++i) {
            if (Text(quor::DevName(Win.UdpDevSet.Dev[i].Id)) == name) {
                return i;
            }
        }
        return -1;
    }

    void Select(const QString& name)
    {
        const bool listed = QTest::qWaitFor([&] { return RowOf(name) >= 0; }, ListedWithinMs);
        const int row = RowOf(name);
        if (!listed || row >= Win.EthLstBox->count()) {
            Fail(name + " is not listed");
        }
        QListWidget* list = Win.EthLstBox;
        Click(list->viewport(), "Ethernet list", list->visualItemRect(list->item(row)).center());
        if (Win.UdpDevSet.Selected != row || !Win.SheetSet->isVisible() ||
            Win.SheetSet->currentWidget() != Win.DoorSheet) {
            Fail(name + ": clicked, but its door sheet is not shown");
        }
        Say(QString("selected: %1; sheet %2, %3 door tabs")
                .arg(list->item(row)->text().trimmed(), Win.SheetSet->tabText(Win.SheetSet->currentIndex()))
                .arg(Win.DDoorTabs->Tabs->count()));
    }

    void Bolt(int door, const QString& item)
    {
        QTabBar* tabs = Win.DDoorTabs->Tabs;
        if (door < 1 || door > tabs->count()) {
            Fail(QString("no door %1").arg(door));
        }
        Click(tabs, "door tabs", tabs->tabRect(door - 1).center());
        if (Win.DDoorTabs->TabIndex() != door - 1) {
            Fail(QString("door %1: its tab did not open").arg(door));
        }
        QComboBox* sel = Win.DOut0Sel;
        Say(QString("door %1 bolt offers: %2").arg(door).arg(Items(sel).join(" | ")));
        const int i = sel->findText(item, Qt::MatchExactly);
        if (i < 0 || !sel->isVisible() || !sel->isEnabled()) {
            Fail(QString("door %1: the bolt selector does not offer %2").arg(door).arg(item));
        }
        // As the popup does when the installer picks the item.
        sel->setCurrentIndex(i);
        emit sel->activated(i);
        Say(QString("door %1 bolt: %2").arg(door).arg(sel->currentText()));
    }

    void Write()
    {
        QProgressBar* bar = Win.DWrCfgProgrBar;
        QList<int> positions;
        bool shown = true;
        QObject watch;
        QObject::connect(bar, &QProgressBar::valueChanged, &watch, [&](int position) {
            positions << position;
            shown = shown && bar->isVisible();
        });
        Click(Win.DWrCfgBtn, "Zapisz konfigurację");
        QList<int> run;
        for (int p = 0; p <= 100; p += 5) {
            run << p;
        }
        if (positions != run || !shown || bar->isVisible()) {
            Fail("the progress bar did not run once from 0 to 100 and hide");
        }
        Say(QString("written: the progress bar ran from 0 to 100 in %1 steps and hid").arg(positions.size()));
    }

    void DeleteLost()
    {
        Click(Win.DevDelLostBtn, "Usuń nieaktywne");
        for (int i = 0; i < Win.DevListBox->count(); ++i) {
            Say("bus: " + Win.DevListBox->item(i)->text());
        }
        Say(QString("Usuń nieaktywne: %1").arg(Win.DevDelLostBtn->isEnabled() ? "enabled" : "disabled"));
        // The command read the controller again: the sheet shows what it holds.
        Say(QString("door %1 bolt read again: %2")
                .arg(Win.DDoorTabs->TabIndex() + 1)
                .arg(Win.DOut0Sel->currentText()));
    }

    void Report(const QString& location)
    {
        QString offered;
        QString proposed;
        bool located = false;
        quor::test::WhenOpen<quor::TLokalizDlg>(&Win, [&](quor::TLokalizDlg* dialog) {
            located = true;
            offered = dialog->LokEdit->text();
            dialog->LokEdit->setText(location);
            dialog->OKBtn->click();
        });
        quor::test::ChooseFile(&Win, &proposed);
        Click(Win.DRapBtn, "Raport");
        if (!located || proposed.isEmpty()) {
            Fail("the location or the save dialog did not open");
        }
        const QFileInfo saved(QDir::current(), proposed + ".txt");
        if (!saved.isFile()) {
            Fail("no report in " + saved.filePath());
        }
        Say(QString("report: location offered \"%1\"; name proposed \"%2\"; saved %3 bytes")
                .arg(offered, proposed)
                .arg(saved.size()));
    }

    TMainWin& Win;
    QStringList Boxes;
    int Ticks = 0;
};

// As the program starts its windows, but with the error boxes caught.
int Drive(const std::vector<Step>& steps)
{
    quor::SearchScope scope;
    for (const Step& step : steps) {
        if (step.Name == "target") {
            quor::AddTarget(scope.Targets, step.Args[0].toStdString(), true);
        }
    }
    TMainWin MainWin(nullptr, nullptr, scope);
    quor::THelpWin HelpWin(&MainWin);
    quor::TLokalizDlg LokalizDlg(&MainWin);
    MainWin.HelpWin = &HelpWin;
    MainWin.LokalizDlg = &LokalizDlg;
    MainWin.show();
    if (!QTest::qWaitForWindowExposed(&MainWin)) {
        Fail("the window was not shown");
    }
    Driver driver(MainWin);
    for (const Step& step : steps) {
        driver.Run(step);
    }
    MainWin.close();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Step> steps;
    try {
        steps = ReadSteps(argc, argv);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "window_driver: %s\n", e.what());
        return 2;
    }
    // The window searches by broadcast: only ever inside the virtual LAN.
    if (!quor::tools::InSeparateNetNamespace()) {
        std::fputs("window_driver: runs only in a network namespace of its own (tools/lan run)\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTimer::singleShot(RunLimitMs, [] {
        std::fputs("window_driver: the run took too long\n", stderr);
        std::_Exit(1);
    });
    try {
        return Drive(steps);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "window_driver: %s\n", e.what());
        return 1;
    }
}
