#pragma once
// The main window on the in-memory LAN with emulated devices, and the
// installer's gestures on its controls.

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QTest>

#include "sim/BlockShape.h"
#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"
#include "ui/WBMain.h"

namespace quor::test {

// Mode bytes.
inline constexpr uint8_t ModeBlokada = 0;
inline constexpr uint8_t ModeKonfiguracja = 1;
inline constexpr uint8_t ModeSerwis = 2;
inline constexpr uint8_t ModeInstalacja = 3;

// Identities (bits 28-30 = 2: standard names).
inline constexpr uint32_t DoorCtrlId = 0x212D3039;     // K01_12345
inline constexpr uint32_t LiftCtrlId = 0x212E0101;     // K02_00257
inline constexpr uint32_t LockersCtrlId = 0x212F0202;  // K03_00514
inline constexpr uint32_t ReaderId = 0x20050001;       // R05_00001
inline constexpr uint32_t ModuleId = 0x22BD0007;       // D01_00007
inline constexpr uint32_t RecorderId = 0x21910001;     // C01_00001

inline constexpr uint32_t SetsModuleId = 0x23850003;  // X01_00003: two output sets
inline constexpr uint32_t SetModuleId = 0x23850004;   // X01_00004: one output set

inline const std::string DoorCtrlIp = "10.45.0.10";
inline const std::string LiftCtrlIp = "10.45.0.11";
inline const std::string LockersCtrlIp = "10.45.0.12";

inline sim::BusEntry Entry(uint32_t id, uint8_t conn, uint8_t relays, uint8_t ocs, uint8_t inputs,
                           uint8_t readers, uint8_t sets = 0, uint8_t flags = 0)
{
    sim::BusEntry e;
    e.Id = id;
    e.Conn = conn;
    e.RelayOutputs = relays;
    e.OcOutputs = ocs;
    e.Inputs = inputs;
    e.Readers = readers;
    e.OutputSets = sets;
    e.Flags = flags;
    return e;
}

// A reference to resource number of bus entry.
constexpr ResRef Ref(int entry, int number)
{
    return static_cast<ResRef>(entry << 8 | number);
}

// Error boxes land here instead of on the screen.
class ErrorCatcher {
public:
    ErrorCatcher()
    {
        TMainWin::ErrorHook = [this](const QString& text) { Texts << text; };
    }
    ~ErrorCatcher() { TMainWin::ErrorHook = nullptr; }
    ErrorCatcher(const ErrorCatcher&) = delete;
    ErrorCatcher& operator=(const ErrorCatcher&) = delete;

    QStringList Texts;
};

// A test class whose every function runs with its error boxes caught, and
// fails on any box it left.
class CatchingErrors : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<ErrorCatcher> Errors;

private slots:
    void init() { Errors = std::make_unique<ErrorCatcher>(); }
    void cleanup()
    {
        QVERIFY2(Errors->Texts.isEmpty(), qPrintable(Errors->Texts.join('\n')));
        Errors.reset();
    }
};

class WindowLan {
public:
    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();

    sim::EmuController& AddController(const std::string& ip, uint32_t id, uint8_t mode, sim::BusConfig bus,
                                      uint8_t versionDigit = '2')
    {
        auto dev = std::make_unique<sim::EmuController>(id, mode, versionDigit);
        dev->Bus = std::move(bus);
        auto& ref = *dev;
        Lan.Attach(ip, ref);
        Devices.push_back(std::move(dev));
        return ref;
    }

    sim::EmuDevice& AddDevice(const std::string& ip, uint32_t id, uint8_t mode)
    {
        auto dev = std::make_unique<sim::EmuDevice>(id, mode);
        auto& ref = *dev;
        Lan.Attach(ip, ref);
        Devices.push_back(std::move(dev));
        return ref;
    }

    // Stores a block as the controller would read it back.
    static void SetBlock(sim::EmuController& ctrl, uint8_t type, uint8_t index,
                         const sim::BlockContent& content)
    {
        const sim::BlockShape& shape = *sim::ShapeOf(type);
        ctrl.Blocks[{type, index}] = sim::ReadLayout(shape, sim::BlockBody(shape, content));
    }

    // The door controller most tests work on, K01_12345 at 10.45.0.10:
    //   entry 0 the controller itself, A1: Out1-Out2 relays, Out3-Out4 OC, In1-In4, Rd1-Rd2;
    //   entry 1 reader R05_00001, A2: Out1 relay, In1-In2, Rd1;
    //   entry 2 module D01_00007, A3: Out1-Out2 OC, In1-In2.
    // Door 1: bolt Out1 and open sensor In1 of the controller, exit button In2,
    // alarm Out3 (NC), bolt pulse 7, open time 20, type Normalne.
    // Door 2: bolt Out1 of the reader, reader Rd1 of the reader.
    // The common block holds train number 12.
    sim::EmuController& AddDoorController(uint8_t mode)
    {
        sim::BusConfig bus;
        bus.Kind = sim::KindDoorsCode;
        bus.DoorCount = 2;
        bus.TrainFlag = 1;
        bus.Entries = {Entry(DoorCtrlId, 1, 2, 2, 4, 2), Entry(ReaderId, 2, 1, 0, 2, 1),
                       Entry(ModuleId, 3, 0, 2, 2, 0)};
        auto& ctrl = AddController(DoorCtrlIp, DoorCtrlId, mode, std::move(bus));
        sim::BlockContent door1;
        door1.Outputs[0] = Ref(0, 0);
        door1.Outputs[2] = Ref(0, 2) | RefNc;
        door1.Inputs[0] = Ref(0, 1);
        door1.Inputs[1] = Ref(0, 0);
        door1.Params[ParDoorType] = 1;
        door1.Params[ParBoltPulse] = 7;
        door1.Params[ParOpenTime] = 20;
        sim::BlockContent door2;
        door2.Outputs[0] = Ref(1, 0);
        door2.Readers[0] = Ref(1, 0);
        sim::BlockContent common;
        common.Data[0] = 12;
        common.Data[1] = 0;
        SetBlock(ctrl, sim::DoorBlockType, 0, door1);
        SetBlock(ctrl, sim::DoorBlockType, 1, door2);
        SetBlock(ctrl, sim::CommonBlockType, 0, common);
        return ctrl;
    }

    // The bus of the lift and lockers controllers below:
    //   entry 0 the controller, A1: Out1-Out2 relays, Out3-Out4 OC, In1-In4, Rd1-Rd2;
    //   entry 1 module X01_00003, A2: two output sets, In1-In4;
    //   entry 2 module X01_00004, A3: one output set, In1-In2.
    static sim::BusConfig OutSetBus(uint8_t kind, uint32_t ctrlId)
    {
        sim::BusConfig bus;
        bus.Kind = kind;
        bus.DoorCount = 1;
        bus.Entries = {Entry(ctrlId, 1, 2, 2, 4, 2), Entry(SetsModuleId, 2, 0, 0, 4, 0, 2),
                       Entry(SetModuleId, 3, 0, 0, 2, 0, 1)};
        return bus;
    }

    // The lift controller K02_00257 at 10.45.0.11. Module: set 1 of X01_00003;
    // floor selection: its In1; tamper: In1 of the controller; reader 1: Rd1 of
    // the controller; input 0, which has no selector: In4 of the controller;
    // button release time 9 half seconds.
    sim::EmuController& AddLiftController(uint8_t mode)
    {
        auto& ctrl = AddController(LiftCtrlIp, LiftCtrlId, mode, OutSetBus(sim::KindLiftCode, LiftCtrlId));
        sim::BlockContent lift;
        lift.OutputSets[0] = Ref(1, 0);
        lift.Inputs[0] = Ref(0, 3);
        lift.Inputs[1] = Ref(1, 0);
        lift.Inputs[3] = Ref(0, 0);
        lift.Readers[0] = Ref(0, 0);
        lift.Params[ParPulseTime] = 9;
        SetBlock(ctrl, sim::LiftBlockType, 0, lift);
        return ctrl;
    }

    // The lockers controller K03_00514 at 10.45.0.12. Row 0: set 1 of
    // X01_00003, lockers 1 to 10; row 1: set 2 of X01_00003, lockers 11 to 20;
    // alarm sensor: In1 of the controller; input 0, which has no selector: In4
    // of the controller; opening pulse 9 half seconds; the test from locker
    // testStart; room "Hala A".
    sim::EmuController& AddLockersController(uint8_t mode, uint16_t testStart = 150)
    {
        auto& ctrl =
            AddController(LockersCtrlIp, LockersCtrlId, mode, OutSetBus(sim::KindLockersCode, LockersCtrlId));
        sim::BlockContent lockers;
        lockers.OutputSets[0] = Ref(1, 0);
        lockers.OutputSets[1] = Ref(1, 1);
        lockers.Inputs[0] = Ref(0, 3);
        lockers.Inputs[2] = Ref(0, 0);
        lockers.Params[ParPulseTime] = 9;
        lockers.Params[ParTestStart] = static_cast<uint8_t>(testStart);
        lockers.Params[ParTestStart + 1] = static_cast<uint8_t>(testStart >> 8);
        const std::string room = "Hala A";
        std::copy(room.begin(), room.end(), lockers.Params.begin() + ParRoomName);
        const uint8_t numbers[] = {1, 0, 10, 0, 11, 0, 20, 0};
        std::copy(std::begin(numbers), std::end(numbers), lockers.Data.begin());
        SetBlock(ctrl, sim::LockersBlockType, 0, lockers);
        return ctrl;
    }

    // The window searches the LAN as it is created.
    std::unique_ptr<TMainWin> Open() { return std::make_unique<TMainWin>(&Pc); }

    // Devices outlive the window, whose shutdown still talks to them.
    std::vector<std::unique_ptr<sim::EmuDevice>> Devices;
};

// The installer picks the item carrying value.
inline bool Choose(QComboBox* sel, ResRef value)
{
    const int i = sel->findData(QVariant::fromValue<uint>(value));
    if (i < 0 || !sel->isEnabled()) {
        return false;
    }
    sel->setCurrentIndex(i);
    emit sel->activated(i);
    return true;
}

inline bool ChooseIndex(QComboBox* sel, int i)
{
    if (i < 0 || i >= sel->count() || !sel->isEnabled()) {
        return false;
    }
    sel->setCurrentIndex(i);
    emit sel->activated(i);
    return true;
}

// The installer types text into an edit and leaves it with Enter.
inline void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // One key per character, Polish letters included (keyClicks takes ASCII only).
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(edit, Qt::Key_Return);
}

inline QStringList Items(const QComboBox* sel)
{
    QStringList texts;
    for (int i = 0; i < sel->count(); ++i) {
        texts << sel->itemText(i);
    }
    return texts;
}

// The texts of a list's rows, top to bottom.
inline QStringList Rows(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) {
        rows << list->item(i)->text();
    }
    return rows;
}

inline QList<uint> Values(const QComboBox* sel)
{
    QList<uint> values;
    for (int i = 0; i < sel->count(); ++i) {
        values << sel->itemData(i).toUInt();
    }
    return values;
}

}  // namespace quor::test
