// The two "Pomoc" buttons: each shows its help document in the help window.
#include <QPushButton>

#include "help/HelpDocs.h"
#include "ui/WBMain.h"
#include "ui/WHelp.h"

namespace quor {

namespace {

void ShowHelp(THelpWin* help, int index)
{
    if (help == nullptr) {
        return;  // a window built without its help, as in tests of other panes
    }
    help->LoadHelpDoc(index);
    help->exec();
}

}  // namespace

void TMainWin::ConnectHelpButtons()
{
    connect(EthHelpBtn, &QPushButton::clicked, this, &TMainWin::EthHelpBtnClick);
    connect(DevHelpBtn, &QPushButton::clicked, this, &TMainWin::DevHelpBtnClick);
}

void TMainWin::EthHelpBtnClick()
{
    ShowHelp(HelpWin, HelpEthernet);
}

void TMainWin::DevHelpBtnClick()
{
    ShowHelp(HelpWin, HelpController);
}

}  // namespace quor
