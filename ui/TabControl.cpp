#include "ui/TabControl.h"

#include <QSignalBlocker>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace quor {

TTabControl::TTabControl(QWidget* parent) : QWidget(parent), Tabs(new QTabBar(this))
{
    Tabs->setObjectName("Tabs");
    Tabs->setDrawBase(false);
    Tabs->setExpanding(false);
    // A click on a tab takes the focus, so an edit being left stores its text
    // for the door it belongs to before the next door is shown.
    Tabs->setFocusPolicy(Qt::StrongFocus);
    connect(Tabs, &QTabBar::currentChanged, this, [this] { emit Change(); });
}

void TTabControl::SetTabs(const std::vector<std::string>& captions)
{
    const QSignalBlocker quiet(Tabs);
    while (Tabs->count() > 0) {
        Tabs->removeTab(Tabs->count() - 1);
    }
    for (const std::string& caption : captions) {
        Tabs->addTab(QString::fromStdString(caption));
    }
    Tabs->setCurrentIndex(captions.empty() ? -1 : 0);
    Tabs->resize(Tabs->sizeHint());
}

void TTabControl::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Tabs->move(2, 0);
    Tabs->resize(Tabs->sizeHint());
}

void TTabControl::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = Tabs->sizeHint().height() - 1;
    frame.rect = QRect(0, top, width(), height() - top);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = Tabs->sizeHint();
    frame.tabBarRect = QRect(2, 0, Tabs->sizeHint().width(), Tabs->sizeHint().height());
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace quor
