#include "ui/WHelp.h"

#include <QTextEdit>

namespace quor {

namespace {

constexpr int Margin = 3;

}  // namespace

THelpWin::THelpWin(QWidget* parent) : QDialog(parent), HelpEdit(new QTextEdit(this))
{
    setObjectName("HelpWin");
    resize(862, 639);
    HelpEdit->setObjectName("HelpEdit");
    HelpEdit->setReadOnly(true);
    HelpEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HelpEdit->setLineWrapMode(QTextEdit::WidgetWidth);
}

void THelpWin::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    HelpEdit->setGeometry(rect().adjusted(Margin, Margin, -Margin, -Margin));
}

}  // namespace quor
