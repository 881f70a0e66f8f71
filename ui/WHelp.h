#pragma once
// The help window: one of the built-in help documents, shown modally.

#include <QDialog>

class QTextEdit;

namespace quor {

class THelpWin : public QDialog {
    Q_OBJECT
public:
    explicit THelpWin(QWidget* parent = nullptr);

    // Shows document 0 (Ethernet pane) or 1 (bus-device pane) from its top
    // with its title; the document already shown stays as the installer left it.
    void LoadHelpDoc(int index);

    QTextEdit* HelpEdit;

protected:
    void showEvent(QShowEvent* e) override;

private:
    int LoadedDoc = -1;  // no document yet
};

}  // namespace quor
