#pragma once
// The main window: owner of the endpoint, the devices found on the LAN, the
// selected controller's bus-device table and configuration, and of every
// pane and sheet that shows them.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <QDate>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Controller.h"
#include "model/Hardres.h"
#include "model/KindConfig.h"
#include "sheets/BusPane.h"
#include "sheets/Sheets.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quor {

class TRowList;
class TTabControl;
class THelpWin;
class TLokalizDlg;

// The controls of one slot of a sheet; any of them may be absent.
struct SelectorRow {
    QLabel* Label = nullptr;
    QComboBox* Sel = nullptr;
    QCheckBox* Cb = nullptr;
};

class TMainWin : public QWidget {
    Q_OBJECT
public:
    // udp null: the window opens a UDP endpoint of its own.
    // scope: whom "Przeszukaj sieć" asks besides the broadcast (the command line's --target).
    explicit TMainWin(Endpoint* udp = nullptr, QWidget* parent = nullptr, SearchScope scope = {});
    ~TMainWin() override;

    // Every error message of the window goes through here. When ErrorHook is
    // set it receives the text instead of a message box being shown.
    void ShowError(const QString& text);
    static inline std::function<void(const QString&)> ErrorHook;
    // Asks the installer a question with the buttons Tak and Nie; true for
    // Tak. When QuestionHook is set it answers instead of a box being shown.
    bool Ask(const QString& text);
    static inline std::function<bool(const QString&)> QuestionHook;

    // Forms created after the main window; set by the program entry. The
    // report command makes a location dialog of its own when none was set.
    THelpWin* HelpWin = nullptr;
    TLokalizDlg* LokalizDlg = nullptr;

    // The local calendar date; the report command reads it for the file name
    // and again for the report itself.
    std::function<QDate()> Today = &QDate::currentDate;

    // The desktop's opening of a web page; false when nothing could open it.
    std::function<bool(const QUrl&)> OpenUrl = &QDesktopServices::openUrl;

    // The timer's keep-alive turn, 0 to 14, shared by the whole process.
    static inline int KeepAliveSlot = 0;

    // --- Components ---
    std::unique_ptr<Endpoint> OwnUdp;  // only when no endpoint was given
    Endpoint* UDP;
    QTimer* UDPTimer;
    QFileDialog* SaveRapDlg;

    // --- State, in the order it is built ---
    quor::UdpDevSet UdpDevSet;
    quor::Controller Records;
    // The records' own names, as the sheets, panes and report use them.
    quor::BusDevTable& BusDevTable = Records.Table;
    quor::DoorCfgSet& DoorCfgSet = Records.Doors;
    OutSetCfg& LiftCfg = Records.Lift;
    OutSetCfg& LockersCfg = Records.Lockers;
    bool Loading = false;
    bool ReportErrors = true;
    // Whether the configuration records hold the loaded controller's whole
    // configuration; a read that failed part-way leaves them mixed with the
    // previous controller's, and no sheet may show or write them then.
    bool ConfigHeld = false;
    // Whether BusDevTable holds the table last read from the selected
    // controller, not another device's and not forgotten.
    bool TableFresh = false;
    // Whether the bus-device pane lists that table. Its commands act on the
    // selected device, so they are offered only then.
    bool DevPaneCurrent = false;
    // The replacement pair the installer chose, kept across rebuilds of the pane.
    PairChoice ReplChoice;
    // Devices of the selected controller that have just taken over a failed
    // device's settings and are inactive until they answer.
    std::set<uint32_t> Settling;
    // The held configuration's records as read from the controller, or as
    // last written: what the sheets' edits are measured against.
    std::vector<CfgBlock> RecordsAsRead;
    // Edits kept while the controller is in a mode that refuses its
    // configuration; see ParkEdits.
    struct ParkedEdits {
        uint32_t Id = 0;
        KindShape Shape;
        std::vector<CfgBlock> AsRead;
        std::vector<CfgBlock> Edited;
        std::string ModeAway;  // the mode it left for, as its row names it
    };
    std::optional<ParkedEdits> Parked;
    std::array<SelectorRow, 4> DOutRows;
    std::array<SelectorRow, 5> DInRows;
    std::array<SelectorRow, 4> DRdRows;
    std::array<SelectorRow, 1> LOutSetRows;
    std::array<SelectorRow, 4> LInRows;
    std::array<SelectorRow, 4> LRdRows;
    std::array<SelectorRow, 4> LsInRows;
    std::array<SelectorRow, 4> LsRdRows;

    // --- Top level ---
    QGroupBox* EthSelBox;
    QGroupBox* DevSelBox;
    QTabWidget* SheetSet;
    QWidget* DoorSheet;
    QWidget* LiftSheet;
    QWidget* LockersSheet;

    // --- Ethernet pane ---
    QLabel* EthDevLb;
    QLabel* EthIpAddrLb;
    QLabel* EthStateLb;
    TRowList* EthLstBox;
    QPushButton* EthHelpBtn;
    QPushButton* EthWwwBtn;
    QPushButton* EthSearchBtn;

    // --- Bus-device pane ---
    QListWidget* DevListBox;
    QPushButton* DevHelpBtn;
    QPushButton* DevDelLostBtn;
    QGroupBox* DevReplBox;
    QLabel* DevReplOldLb;
    QLabel* DevReplNewLb;
    QPushButton* DevReplaceBtn;
    QComboBox* DevReplCb;

    // --- Door sheet ---
    TTabControl* DDoorTabs;
    QLineEdit* DTrainNrEd;
    QPushButton* DRapBtn;
    QPushButton* DWrCfgBtn;
    QProgressBar* DWrCfgProgrBar;
    QLabel* DTrainNrLb;
    QGroupBox* DDoorGrpBox;
    QGroupBox* DRdGrpBox;
    QGroupBox* DInGrpBox;
    QGroupBox* DAirLockGrpBox;
    QGroupBox* DOutGrpBox;
    QGroupBox* DTstGrpBox;
    QComboBox* DOut0Sel;
    QLabel* DOut0Lb;
    QCheckBox* DOut0Cb;
    QComboBox* DOut1Sel;
    QLabel* DOut1Lb;
    QCheckBox* DOut1Cb;
    QComboBox* DOut2Sel;
    QLabel* DOut2Lb;
    QCheckBox* DOut2Cb;
    QComboBox* DOut3Sel;
    QLabel* DOut3Lb;
    QCheckBox* DOut3Cb;
    QComboBox* DIn0Sel;
    QLabel* DIn0Lb;
    QCheckBox* DIn0Cb;
    QComboBox* DIn1Sel;
    QLabel* DIn1Lb;
    QCheckBox* DIn1Cb;
    QComboBox* DIn2Sel;
    QLabel* DIn2Lb;
    QCheckBox* DIn2Cb;
    QComboBox* DIn3Sel;
    QLabel* DIn3Lb;
    QCheckBox* DIn3Cb;
    QComboBox* DIn4Sel;
    QLabel* DIn4Lb;
    QCheckBox* DIn4Cb;
    QLabel* DRdOutLb;
    QComboBox* DRd0Sel;
    QLabel* DRd0Lb;
    QCheckBox* DRd0Cb;
    QComboBox* DRd1Sel;
    QLabel* DRd1Lb;
    QCheckBox* DRd1Cb;
    QComboBox* DRd2Sel;
    QLabel* DRd2Lb;
    QCheckBox* DRd2Cb;
    QComboBox* DRd3Sel;
    QLabel* DRd3Lb;
    QCheckBox* DRd3Cb;
    QComboBox* DSluzaSel;
    QCheckBox* DKlamkaCb;
    QCheckBox* DFullTimCb;
    QComboBox* DTypeCb;
    QLabel* DTypeLb;
    QLineEdit* DRygTimEd;
    QLabel* DRygTimLb;
    QLabel* DRygTimsLb;
    QLineEdit* DOpenTimEd;
    QLabel* DOpenTimLb;
    QLabel* DOpenTimsLb;

    // --- Lift sheet ---
    QLabel* LOutSet1Lb;
    QGroupBox* LRdGrpBox;
    QGroupBox* StopGrpBox;
    QGroupBox* LInGrpBox;
    QGroupBox* LTstGrpBox;
    QPushButton* LWrCfgBtn;
    QProgressBar* LWrCfgProgrBar;
    QComboBox* LOutSet0Sel;
    QLabel* LOutSet0Lb;
    QComboBox* LIn1Sel;
    QLabel* LIn1Lb;
    QCheckBox* LIn1Cb;
    QComboBox* LIn3Sel;
    QCheckBox* LIn3Cb;
    QLabel* LIn3Lb;
    QComboBox* LRd0Sel;
    QLabel* LRd0Lb;
    QComboBox* LRd1Sel;
    QLabel* LRd1Lb;
    QComboBox* LRd2Sel;
    QLabel* LRd2Lb;
    QComboBox* LRd3Sel;
    QLabel* LRd3Lb;
    QLineEdit* LTimEd;
    QLabel* LTimLb;
    QLabel* LTimsLb;

    // --- Lockers sheet ---
    QGroupBox* LsLockersGrpBox;
    QLineEdit* LsRoomNameEd;
    QLabel* LrRoomNameLb;
    QGroupBox* LsInGrpBox;
    QGroupBox* LsRdGrpBox;
    QGroupBox* LsTstGrpBox;
    QPushButton* LsWrCfgBtn;
    QProgressBar* LsWrCfgProgrBar;
    QLabel* LsNumbersLbl;
    QLabel* LsModLbl;
    QLabel* LsFromLbl;
    QLabel* LsToLbl;
    // Module rows 0 to F: LsOutSet<h>Sel, LsSet<h>BegEd, LsSet<h>EndEd.
    std::array<QComboBox*, LockerModules> LsOutSetSel;
    std::array<QLineEdit*, LockerModules> LsSetBegEd;
    std::array<QLineEdit*, LockerModules> LsSetEndEd;
    QComboBox* LsIn2Sel;
    QCheckBox* LsIn2Cb;
    QLabel* LsIn2Lb;
    QComboBox* LsIn3Sel;
    QLabel* LsIn3Lb;
    QCheckBox* LsIn3Cb;
    QComboBox* LsRd0Sel;
    QLabel* LsRd0Lb;
    QComboBox* LsRd1Sel;
    QLabel* LsRd1Lb;
    QComboBox* LsRd2Sel;
    QLabel* LsRd2Lb;
    QComboBox* LsRd3Sel;
    QLabel* LsRd3Lb;
    QLineEdit* LsStartNrEd;
    QLabel* LsStartNrLb;
    QLineEdit* LsTimEd;
    QLabel* LsTimLb;
    QLabel* LsTimsLb;

    // --- Start-up ---
    void FormCreate();
    void FormActivate() {}

    // --- Ethernet pane ---
    void EthSearchBtnClick();
    // Once per search: the devices that answered and did not fit in the list.
    void ShowNotListed();
    void EthLstBoxClick();
    void EthWwwBtnClick();
    void RefreshEthList();
    // Rewrites the device's row in place, without touching the selection.
    void RefreshEthRow(const UdpDev& dev);
    void SelectEthDevice();
    void EthHelpBtnClick();

    // --- Loading a controller ---
    void LoadSelectedDevice(UdpDev& dev);
    bool LoadController(UdpDev& dev);
    void UpdateSheets(UdpDev& dev);

    // --- Periodic timer ---
    void UDPTimerTimer();

    // --- Bus-device pane ---
    void RefreshDevList();
    // The pane no longer lists the selected controller's table: it stays in
    // view, greyed, and offers no command until it is rebuilt from a fresh one.
    void StaleDevPane();
    void DevHelpBtnClick();
    void DevDelLostBtnClick();
    void DevReplaceBtnClick();

    // --- Unsaved edits ---
    // Whether a sheet holds edits not yet written, parked ones included.
    bool UnsavedEdits();
    // The write buttons' look says whether the shown sheet holds unsaved edits.
    void ShowUnsavedMark();
    // True when there are no unsaved edits, or the installer agrees to lose them.
    bool MayDropEdits();

    // --- Sheets ---
    void SheetSetChange();
    void RefreshSheet();
    // sheets: the bits of the sheets to show (door 2, lift 4, lockers 8); 0 hides the control.
    void ShowSheets(int sheets);
    // The sheet's "Testowanie" group is editable only in installation mode.
    void EnableTestGroup(QWidget* sheet);

    // --- Door sheet ---
    void PrepareDoorSheet();
    void LoadDoorSheet();
    void DDoorTabsChange();
    void DOutRygSelChange();
    void DOutSelChange(QComboBox* sender);
    void DOutCbClick(QCheckBox* sender);
    void DInSelChange(QComboBox* sender);
    void DInCbClick(QCheckBox* sender);
    void DRdSelChange(QComboBox* sender);
    void DRdCbClick(QCheckBox* sender);
    void DSluzaSelChange();
    void DKlamkaCbClick();
    void DFullTimCbClick();
    void DTypeCbChange();
    void DRygTimEdExit();
    void DOpenTimEdExit();
    void DTrainNrEdExit();
    void DRapBtnClick();

    // --- Lift sheet ---
    void LoadLiftSheet();
    void LOutSetSelChange();
    void LInSelChange(QComboBox* sender);
    void LInCbClick(QCheckBox* sender);
    void LRdSelChange(QComboBox* sender);
    void LTimEdExit();

    // --- Lockers sheet ---
    void LoadLockersSheet();
    void LsOutSetSelChange(QComboBox* sender);
    void LsSetBegEndChange(QLineEdit* sender);
    void LsInSelChange(QComboBox* sender);
    void LsInCbClick(QCheckBox* sender);
    void LsRdSelChange(QComboBox* sender);
    void LsRoomNameEdChange();
    void LsStartNrEdChange();
    void LsTimEdExit();
    // Recolours the 32 locker number edits; their texts stay as typed.
    void CheckLockerRanges();

    // --- Writing the configuration ---
    void DWrCfgBtnClick();
    void LWrCfgBtnClick();
    void LsWrCfgBtnClick();
    // The confirmation of a completed write: the bar runs from 0 to 100 and hides.
    void RunProgress(QProgressBar* bar);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Runs work under the error rule: a UErr shows its text, any other
    // exception its message; the steps after the failing one are skipped.
    void Guarded(const std::function<void()>& work);
    // Errors raised before the window was first shown; they follow it.
    QStringList PendingErrors;

    // Runs a command button's command once per press: while it and the reload
    // after it run, the command buttons are disabled, and clicks queued
    // meanwhile find them so.
    void RunCommand(void (TMainWin::*command)());
    void ShowCommandButtons();
    bool CommandRunning = false;
    // What the bus-device pane offers once no command runs.
    bool DelLostOffered = false;
    bool ReplaceOffered = false;
    // Every drop-down and tab row changes only by the installer's deliberate
    // act: the wheel does nothing to one that does not have the focus.
    void GuardWheel();

    void BuildWindow();
    void BuildEthPane();
    void BuildDevPane();
    void BuildDoorSheet();
    void BuildDoorGroups();
    void BuildDoorInputs();
    void BuildDoorOutputs();
    void BuildDoorReaders();
    void BuildDoorTest();
    void BuildLiftSheet();
    void BuildLockersSheet();
    void BuildLockerRows();
    void BuildLockersSide();
    void ConnectEthPane();
    void ConnectHelpButtons();
    void ConnectTimer();
    void ConnectDevPane();
    void ConnectReport();
    void ConnectDoorSheet();
    void ConnectSheets();
    void ConnectLiftSheet();
    void ConnectLockersSheet();
    void ConnectWriteButtons();
    // The write handlers' common steps around write, which sends the sheet's
    // part of the model to the selected device.
    void WriteToSelected(QProgressBar* bar, SheetKind sheet, const std::function<void(UdpDev&)>& write);
    void GatherRows();

    // Periodic timer: one tick under its error rule, also when a command runs it.
    void Tick();
    // The steps of one tick; false when it ended without a device.
    bool RunTick();
    void FollowSelectedDevice();
    // The configuration held no longer fits the controller, or its mode no
    // longer lets it be written.
    void ReloadChangedShape(UdpDev& dev);
    void DropClosedController();
    // The held configuration, edits included, put aside while the controller
    // refuses it, and taken back when it returns unchanged.
    void ParkEdits(const UdpDev& dev);
    void ReturnParked(UdpDev& dev);
    // Takes note that the configuration records hold what the controller
    // does, as read (or just written).
    void HoldConfig(bool held);
    void KeepSessionsAlive();
    // Takes in search answers that came late and lists them.
    void CollectLateAnswers();
    // The device at Selected; null when none is selected.
    UdpDev* SelectedDevice();
    // After a tick that ran through: its devices' errors may be said again.
    void ForgetTickErrors(int slot);
    // The device errors (identity, code) the timer has shown and says no more.
    std::set<std::pair<uint32_t, int32_t>> TickErrorsShown;
    // Message boxes open now; ticks are held back while there is one.
    int BoxesOpen = 0;

    // Bus-device pane: the pair list with its labels, which "Zastąp" goes with.
    std::array<QWidget*, 3> ReplaceControls() const;
    void DevReplCbChange();
    // Reads the controller again after a command on its bus.
    void ReloadAfterCommand(UdpDev& dev);

    // Whether the installer typed into the airlock field since it last showed the stored value.
    bool AirlockTyped = false;
    void ShowAirlock();
    void ShowAirlock(int index);
    // Whether the installer is typing into the airlock field, not yet stored.
    bool TypingAirlock() const;

    // Report command.
    bool AskLocation();
    void SaveRap(const QString& path);
};

}  // namespace quor
