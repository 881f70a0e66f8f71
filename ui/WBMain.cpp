// The main window's start-up, error display and shutdown.
#include "ui/WBMain.h"

#include <exception>
#include <utility>

#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "QuorVersion.h"
#include "link/EndpointError.h"
#include "link/UdpEndpoint.h"

namespace quor {

namespace {

const char* const Caption = "quorConfig " QUOR_VERSION;

std::unique_ptr<Endpoint> OwnEndpoint(Endpoint* given)
{
    if (given != nullptr) {
        return nullptr;
    }
    return std::make_unique<UdpEndpoint>();
}

}  // namespace

TMainWin::TMainWin(Endpoint* udp, QWidget* parent, SearchScope scope)
    : QWidget(parent), OwnUdp(OwnEndpoint(udp)), UDP(udp != nullptr ? udp : OwnUdp.get()),
      UDPTimer(new QTimer(this)), SaveRapDlg(new QFileDialog(this)), UdpDevSet(*UDP)
{
    UdpDevSet.Scope = std::move(scope);
    BuildWindow();
    GatherRows();
    ConnectEthPane();
    ConnectHelpButtons();
    ConnectDevPane();
    ConnectDoorSheet();
    ConnectLiftSheet();
    ConnectLockersSheet();
    ConnectWriteButtons();
    ConnectSheets();
    ConnectReport();
    ConnectTimer();

    UDPTimer->setObjectName("UDPTimer");
    UDPTimer->setInterval(1000);
    UDPTimer->start();
    GuardWheel();

    SaveRapDlg->setObjectName("SaveRapDlg");
    SaveRapDlg->setAcceptMode(QFileDialog::AcceptSave);
    SaveRapDlg->setNameFilter(QStringLiteral("Konfiguracja kontrolera (*.txt)"));
    // The type reads as a description, the pattern stays behind it.
    SaveRapDlg->setOption(QFileDialog::HideNameFilterDetails);
    SaveRapDlg->setDefaultSuffix("txt");
    // An existing report is replaced without a question. The dialog is Qt's
    // own, so that it behaves alike on every desktop.
    SaveRapDlg->setOption(QFileDialog::DontConfirmOverwrite);
    SaveRapDlg->setOption(QFileDialog::DontUseNativeDialog);
    // With no folder given the dialog opens in the process's current directory.
    SaveRapDlg->setDirectory(QDir::currentPath());

    setWindowTitle(Caption);
    FormCreate();
}

// The devices close their sessions as UdpDevSet goes, while the endpoint is
// still there; the controls go after that, with the QWidget.
TMainWin::~TMainWin() = default;

void TMainWin::FormCreate()
{
    Guarded([this] { UdpDevSet.Search(); });
    Guarded([this] { RefreshEthList(); });
    ShowNotListed();
}

void TMainWin::ShowError(const QString& text)
{
    // A box with nothing behind it would stand for the program: the search
    // that runs as the window is made waits for the window to be seen.
    if (!ErrorHook && !isVisible()) {
        PendingErrors << text;
        return;
    }
    // The box's event loop goes on delivering timer ticks; they wait for it.
    ++BoxesOpen;
    const auto closed = qScopeGuard([this] { --BoxesOpen; });
    if (ErrorHook) {
        ErrorHook(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::NoButton, this);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void TMainWin::Guarded(const std::function<void()>& work)
{
    try {
        work();
    } catch (const UErr& e) {
        ShowError(QString::fromStdString(e.Text()));
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(PolishText(e)));
    }
}

void TMainWin::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!PendingErrors.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            for (const QString& text : std::exchange(PendingErrors, {})) {
                ShowError(text);
            }
        });
    }
    // Centred when the program shows it; a window restored by the desktop
    // stays where the installer put it.
    if (e->spontaneous()) {
        return;
    }
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace quor
