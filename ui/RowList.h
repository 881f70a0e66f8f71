#pragma once
#include <QKeyEvent>
#include <QListWidget>

namespace quor {

// A list box whose Click follows the installer only: a click on a row, the
// selected one included, or a move of the selection by the keyboard. Rows
// selected by the program raise nothing.
class TRowList : public QListWidget {
    Q_OBJECT
public:
    explicit TRowList(QWidget* parent = nullptr) : QListWidget(parent)
    {
        connect(this, &QListWidget::clicked, this, [this] { emit Click(); });
    }

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const int before = currentRow();
        QListWidget::keyPressEvent(e);
        if (currentRow() != before) {
            emit Click();
        }
    }
};

}  // namespace quor
