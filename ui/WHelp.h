#pragma once
// The help window: one of the built-in help documents, shown modally.

#include <QDialog>

class QTextEdit;

namespace quor {

class THelpWin : public QDialog {
    Q_OBJECT
public:
    explicit THelpWin(QWidget* parent = nullptr);

    QTextEdit* HelpEdit;

protected:
    void resizeEvent(QResizeEvent* e) override;
};

}  // namespace quor
