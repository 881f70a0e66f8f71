#pragma once
// The location dialog: the installer's description of where the controller
// is installed, asked before a report is saved. The text typed stays for the
// next report while the program runs.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quor {

class TLokalizDlg : public QDialog {
    Q_OBJECT
public:
    explicit TLokalizDlg(QWidget* parent = nullptr);

    QLabel* CtrLocLbl;
    QLineEdit* LokEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

}  // namespace quor
