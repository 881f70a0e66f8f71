// The lift sheet, filled from the lift record.
#include <QLineEdit>

#include "sheets/LiftSheet.h"
#include "sheets/Sheets.h"
#include "ui/SelectorFill.h"
#include "ui/WBMain.h"

namespace quor {

void TMainWin::LoadLiftSheet()
{
    if (!SheetLoadable(BusDevTable)) {
        return;
    }
    Loading = true;
    EnableTestGroup(LiftSheet);
    if (const std::optional<LiftSheetView> view = ViewLiftSheet(LiftCfg)) {
        ShowSelector(LOutSet0Sel, view->Module);
        ShowSelector(LIn1Sel, view->Floor.Selector);
        ShowCheck(LIn1Cb, view->Floor.Check);
        ShowSelector(LIn3Sel, view->Tamper.Selector);
        ShowCheck(LIn3Cb, view->Tamper.Check);
        for (size_t i = 0; i < LRdRows.size(); ++i) {
            ShowSelector(LRdRows[i].Sel, view->Readers[i]);
        }
        LTimEd->setText(QString::fromStdString(view->PulseText));
    }
    Loading = false;
}

}  // namespace quor
