#pragma once
#include <QListWidget>
#include <QMouseEvent>

namespace quor {

// A list box whose Click follows the installer: whatever moves the current
// row selects that row, so the highlighted row and the selected device never
// disagree. A click on the current row raises it too. Rows placed by the
// program raise nothing, as it fills the list with its signals blocked.
//
// While the mouse button is held the current row follows the pointer; the
// row it rests on is taken once, when the button is released, so a drag
// across the list does not read every device it passes.
class TRowList : public QListWidget {
    Q_OBJECT
public:
    explicit TRowList(QWidget* parent = nullptr) : QListWidget(parent)
    {
        connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
            if (Pressed) {
                MovedWhilePressed = true;
            } else if (row >= 0) {
                emit Click();
            }
        });
        connect(this, &QListWidget::clicked, this, [this] {
            if (!MovedWhilePressed) {
                emit Click();
            }
        });
    }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        Pressed = true;
        MovedWhilePressed = false;
        QListWidget::mousePressEvent(e);
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QListWidget::mouseReleaseEvent(e);  // raises clicked for a press and release on one row
        const bool moved = Pressed && MovedWhilePressed;
        Pressed = false;
        MovedWhilePressed = false;
        if (moved && currentRow() >= 0) {
            emit Click();
        }
    }

private:
    bool Pressed = false;
    bool MovedWhilePressed = false;
};

}  // namespace quor
