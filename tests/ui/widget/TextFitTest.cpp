// No caption and no drop-down item is cut off: every label, button, check box
// and selector item of the window and its dialogs fits its control's width as
// the style in use draws it, with each kind of controller of the site
// scenario loaded.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>

#include "sim/Scenario.h"
#include "tests/ui/widget/WindowLan.h"
#include "ui/LokDlg.h"
#include "ui/RowList.h"
#include "ui/WHelp.h"

namespace quor::test {

namespace {

// One line per control whose text needs more room than the style leaves it.
QString Cut(const QWidget* w, const QString& text, int needed, int room)
{
    return QString("%1 \"%2\": needs %3 px, has %4").arg(w->objectName(), text).arg(needed).arg(room);
}

void CheckLabel(const QLabel* label, QStringList& cuts)
{
    const int needed = label->fontMetrics().horizontalAdvance(label->text());
    const int room = label->contentsRect().width() - 2 * label->margin();
    if (needed > room) {
        cuts << Cut(label, label->text(), needed, room);
    }
}

QStyleOptionButton ButtonOption(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    return opt;
}

void CheckButton(const QPushButton* button, QStringList& cuts)
{
    const QStyleOptionButton opt = ButtonOption(button);
    const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button).width();
    const int needed = button->fontMetrics().horizontalAdvance(button->text());
    if (needed > room) {
        cuts << Cut(button, button->text(), needed, room);
    }
}

// The box and the spacing come first; the caption gets the rest of the width.
void CheckCheckBox(const QCheckBox* box, QStringList& cuts)
{
    const QStyleOptionButton opt = ButtonOption(box);
    const QStyle* style = box->style();
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
    if (!box->rect().contains(indicator)) {
        cuts << Cut(box, "[box]", indicator.right() + 1, box->width());
    }
    if (box->text().isEmpty()) {
        return;
    }
    const QRect contents = style->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    const int room = std::min(contents.right() + 1, box->width()) - contents.left();
    const int needed = box->fontMetrics().horizontalAdvance(box->text());
    if (needed > room) {
        cuts << Cut(box, box->text(), needed, room);
    }
}

// A drop-down list draws its item one pixel inside the edit field on each
// side; an editable one shows it in a line edit with two pixels each side.
void CheckSelector(const QComboBox* sel, QStringList& cuts)
{
    QStyleOptionComboBox opt;
    opt.initFrom(sel);
    opt.editable = sel->isEditable();
    opt.frame = sel->hasFrame();
    opt.subControls = QStyle::SC_All;
    const QRect field =
        sel->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, sel);
    const int room = field.width() - (sel->isEditable() ? 4 : 2);
    for (int i = 0; i < sel->count(); ++i) {
        const int needed = sel->fontMetrics().horizontalAdvance(sel->itemText(i));
        if (needed > room) {
            cuts << Cut(sel, sel->itemText(i), needed, room);
        }
    }
}

bool InFileDialog(const QWidget* w)
{
    for (const QWidget* p = w; p != nullptr; p = p->parentWidget()) {
        if (qobject_cast<const QFileDialog*>(p) != nullptr) {
            return true;
        }
    }
    return false;
}

// Every control below top, shown or not; the file dialog is the toolkit's.
// checked receives the names of the controls measured.
QStringList CutTexts(const QWidget* top, QStringList* checked = nullptr)
{
    QStringList cuts;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (InFileDialog(w)) {
            continue;
        }
        w->ensurePolished();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            CheckLabel(label, cuts);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            CheckButton(button, cuts);
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            CheckCheckBox(box, cuts);
        } else if (auto* sel = qobject_cast<QComboBox*>(w)) {
            CheckSelector(sel, cuts);
        } else {
            continue;
        }
        if (checked != nullptr) {
            *checked << w->objectName();
        }
    }
    return cuts;
}

// Names a failure by the controls, their texts and widths.
QByteArray Report(const QStringList& cuts)
{
    return ("cut off:\n" + cuts.join('\n')).toUtf8();
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Errors = std::make_unique<ErrorCatcher>();
        Site = sim::LoadScenario(QUOR_SCENARIO_DIR "/site.json");
        sim::AttachAll(Site, Lan.Lan);
        Win = Lan.Open();
        Win->show();
        QVERIFY(QTest::qWaitForWindowExposed(Win.get()));
    }

    void cleanupTestCase()
    {
        Win.reset();
        Errors.reset();
    }

    // The sizes of the texts a style's paddings cut first: the widest door
    // type and a replacement pair of two five-digit readers.
    void measures()
    {
        QVERIFY(Win->DTypeCb->findText("Zablokowane") >= 0);
        const QString pair = "R05_30002 <-- R05_30003";
        Win->DevReplCb->addItem(pair);
        QStringList checked;
        const QStringList cuts = CutTexts(Win.get(), &checked);
        Win->DevReplCb->removeItem(Win->DevReplCb->count() - 1);
        QVERIFY2(cuts.isEmpty(), Report(cuts).constData());
        // The walk reaches every kind of control, on every sheet, hidden or not.
        for (const char* name : {"EthDevLb", "EthSearchBtn", "DevReplCb", "DTypeCb", "DKlamkaCb", "DRd0Cb",
                                 "LTimLb", "LsOutSetFSel", "LsTimLb", "LsWrCfgBtn"}) {
            QVERIFY2(checked.contains(name), name);
        }
    }

    // Each controller of the site loaded, its sheet and bus list filled.
    void controllers_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::newRow("3 doors, train number") << "10.45.1.11";
        QTest::newRow("8 doors") << "10.45.1.12";
        QTest::newRow("lift") << "10.45.1.13";
        QTest::newRow("lockers") << "10.45.1.14";
    }

    void controllers()
    {
        QFETCH(QString, ip);
        QVERIFY(Select(ip));
        QVERIFY(Win->SheetSet->isVisible());
        QVERIFY2(Errors->Texts.isEmpty(), qPrintable(Errors->Texts.join('\n')));
        const QStringList cuts = CutTexts(Win.get());
        QVERIFY2(cuts.isEmpty(), Report(cuts).constData());
    }

    // The help window and the location dialog, as the program creates them.
    void dialogs()
    {
        THelpWin help(Win.get());
        TLokalizDlg location(Win.get());
        help.show();
        location.show();
        QStringList cuts = CutTexts(&help);
        cuts << CutTexts(&location);
        QVERIFY2(!location.findChildren<QLabel*>().isEmpty(), "the dialog has no caption to check");
        QVERIFY2(cuts.isEmpty(), Report(cuts).constData());
    }

private:
    bool Select(const QString& ip)
    {
        for (int i = 0; i < Win->UdpDevSet.Count; ++i) {
            if (QString::fromStdString(Win->UdpDevSet.Dev[i].IpText()) == ip) {
                Win->EthLstBox->setCurrentRow(i);
                QApplication::processEvents();
                return true;
            }
        }
        return false;
    }

    WindowLan Lan;
    sim::Scenario Site;
    std::unique_ptr<ErrorCatcher> Errors;
    std::unique_ptr<TMainWin> Win;
};

}  // namespace quor::test

QTEST_MAIN(quor::test::TextFitTest)
#include "TextFitTest.moc"
