#include "ui/LokDlg.h"

#include "report/Rap.h"
#include "ui/FieldRules.h"
#include "ui/LayoutKit.h"

namespace quor {

TLokalizDlg::TLokalizDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("LokalizDlg");
    setWindowTitle("Lokalizacja");
    setFixedSize(507, 118);
    CtrLocLbl = MakeLabel(this, "CtrLocLbl", "Opis lokalizacji kontrolera:", {8, 28, 153, 13}, true);
    LokEdit = MakeEdit(this, "LokEdit", {176, 25, 297, 21}, LocationMax);
    LokEdit->setValidator(new TCp1250Text(LokEdit));
    OKBtn = MakeButton(this, "OKBtn", "Zapisz", {300, 72, 75, 25});
    OKBtn->setDefault(true);
    CancelBtn = MakeButton(this, "CancelBtn", "Anuluj", {116, 72, 75, 25});
    // Enter presses the button that has the focus, "Zapisz" when none has:
    // a focused "Anuluj" must not save.
    OKBtn->setAutoDefault(true);
    CancelBtn->setAutoDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(LokEdit, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

}  // namespace quor
