#include "ui/WHelp.h"

#include <QFontDatabase>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include "help/HelpDocs.h"
#include "help/RtfReader.h"
#include "ui/HelpDocument.h"

namespace quor {

namespace {

constexpr int Margin = 3;

// Tahoma comes with Debian's fonts-wine, outside the folders fontconfig
// searches; Liberation Sans stands in where it is missing.
QFont HelpFont()
{
    static const QString family = [] {
        const QString tahoma = QStringLiteral("Tahoma");
        if (!QFontDatabase::families().contains(tahoma)) {
            QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
            QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
        }
        return QFontDatabase::families().contains(tahoma) ? tahoma : QStringLiteral("Liberation Sans");
    }();
    QFont font(family);
    font.setPointSize(8);
    return font;
}

}  // namespace

THelpWin::THelpWin(QWidget* parent) : QDialog(parent), HelpEdit(new QTextEdit(this))
{
    setObjectName("HelpWin");
    setFont(HelpFont());
    resize(862, 639);
    HelpEdit->setObjectName("HelpEdit");
    HelpEdit->setReadOnly(true);
    HelpEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HelpEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    HelpEdit->setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->addWidget(HelpEdit);
}

void THelpWin::LoadHelpDoc(int index)
{
    const HelpDoc* doc = FindHelpDoc(index);
    if (index == LoadedDoc || doc == nullptr) {
        return;
    }
    LoadedDoc = index;
    setWindowTitle(QString::fromUtf8(doc->Title.data(), static_cast<qsizetype>(doc->Title.size())));
    FillTextDocument(*HelpEdit->document(), rtf::ReadRtf(doc->Rtf), HelpEdit->logicalDpiX());
    HelpEdit->moveCursor(QTextCursor::Start);
    HelpEdit->verticalScrollBar()->setValue(0);
}

void THelpWin::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Centred on the desktop whenever the program shows it.
    if (e->spontaneous()) {
        return;
    }
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace quor
