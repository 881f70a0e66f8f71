// Every fault the emulator can make against every operation of the link and
// the model, on the in-memory LAN with a virtual clock and no latency: what
// the operation reports (the error text, or its quiet result), how long its
// waits took, the frames it sent, and that a failed operation leaves the
// table, the taken masks and the configuration records as they were. Then
// the fault is cleared and the same operation succeeds.
//
// Each fault is armed, until cleared, for the command the operation is named
// after (its poll and session request are left alone): 'O' for the search and
// the poll, 'K' for the session, 'D', 'C', 'c', 'F', 'R', 'S' and 's' for the
// others. A silent attempt costs two empty receives, 400 ms; a reply held
// back 350 ms is taken in the second receive.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Controller.h"
#include "model/Hardres.h"
#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"
#include "tests/model/BlockCaptures.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using sim::Bytes;
using sim::Fault;
using test::HexBytes;

constexpr uint32_t CtrlId = 0x212D3039;  // K01_12345
const std::string CtrlIp = "10.45.1.1";
const std::string PcIp = "10.45.0.1";

// Kind 1, one door, no common block: the controller and a reader, and after
// the model has loaded it, a keypad besides.
const char* const HeldTable = "02 00 21 00 00 00"
                              "39 30 2D 21  00 00 02 02 04 02 00 00"
                              "07 00 05 20  03 00 00 00 01 01 00 00";
const char* const FreshTable = "03 00 21 00 00 00"
                               "39 30 2D 21  00 00 02 02 04 02 00 00"
                               "07 00 05 20  03 00 00 00 01 01 00 00"
                               "03 00 F5 21  04 00 00 00 02 00 00 00";

// Another configurator takes the controller's session in the moment between
// this one's poll and its session request, so that the request is refused.
class RaceHost : public sim::LanHost {
public:
    explicit RaceHost(sim::EmuController& emu) : Emu(emu) {}
    std::vector<Bytes> Handle(std::span<const uint8_t> in, std::string_view from, int64_t now) override
    {
        if (TakeSession && in.size() >= 4 &&
            std::string_view(reinterpret_cast<const char*>(in.data()), 4) == "MMDK")
            Emu.HoldForeignSession(now);
        return Emu.Handle(in, from, now);
    }
    int ReplyDelayMs() const override { return Emu.ReplyDelayMs(); }
    int FloodPeriodMs() const override { return Emu.FloodPeriodMs(); }
    Bytes FloodDatagram() const override { return Emu.FloodDatagram(); }

    sim::EmuController& Emu;
    bool TakeSession = false;
};

// One controller on the LAN and the configurator's model of it, loaded.
struct World {
    World()
    {
        Lan.LatencyMs = 0;
        Lan.Attach(CtrlIp, Host);
        Emu.BusTable = HexBytes(HeldTable);
        Emu.Blocks[{1, 0}] = HexBytes(test::DoorReply);
        Set.emplace(Pc);
        Set->Search();
        EXPECT_TRUE(Table.Fetch(Dev()));
        EXPECT_TRUE(Doors.Load(Dev(), Table));
        // What the controller holds from now on differs from the model.
        Emu.BusTable = HexBytes(FreshTable);
        Emu.Blocks[{1, 0}][8] = 0x01;  // the bolt: output 2 of the controller
    }

    UdpDev& Dev() { return Set->Dev[0]; }
    void OwnSession()
    {
        if (!Dev().SessionOpen)
            Dev().EnsureSession();
    }

    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();
    sim::EmuController Emu{CtrlId, 2};
    RaceHost Host{Emu};
    Controller Records;
    BusDevTable& Table = Records.Table;
    DoorCfgSet& Doors = Records.Doors;
    OutSetCfg& Lift = Records.Lift;
    OutSetCfg& Lockers = Records.Lockers;
    std::optional<UdpDevSet> Set;  // last: its records close their sessions first
};

// --- The operations ---

std::string Said(bool result)
{
    return result ? "true" : "false";
}

struct Operation {
    const char* Name;
    uint8_t Cmd;                             // the command the faults are armed for
    std::function<void(World&)> Ready;       // its starting state, made again before the retry
    std::function<std::string(World&)> Run;  // its quiet result; a UErr gives its text instead
    const char* Success;                     // Run's result when it succeeded
    bool ReadsModel;                         // a success changes the table or the records
    std::function<bool(World&)> Took;        // what a success leaves behind
};

enum Op { Search, Poll, Session, TableRead, BlockRead, BlockWrite, DeleteLost, Replace, KeepAlive, Close };

const Operation Operations[] = {
    {"search", 'O', [](World& w) { w.Set.emplace(w.Pc); },
     [](World& w) {
         w.Set->Search();
         return w.Set->Count == 1 ? std::string("1 device") : "no device";
     },
     "1 device", false, [](World& w) { return w.Dev().Id == CtrlId && w.Dev().Alive; }},
    {"poll", 'O', [](World&) {}, [](World& w) { return Said(w.Dev().Poll()); }, "true", false,
     [](World& w) { return w.Dev().Alive; }},
    {"session", 'K',
     [](World& w) {
         if (w.Dev().SessionOpen)
             w.Dev().CloseSession();
     },
     [](World& w) {
         w.Dev().EnsureSession();
         return std::string("done");
     },
     "done", false, [](World& w) { return w.Dev().SessionOpen && w.Emu.SessionPeer == PcIp; }},
    {"table read", 'D', [](World&) {}, [](World& w) { return Said(w.Table.Fetch(w.Dev())); }, "true", true,
     [](World& w) { return w.Table.PresentCount == 3 && w.Table.Dev[2].Id == 0x21F50003; }},
    {"block read", 'C', [](World&) {}, [](World& w) { return Said(w.Doors.Load(w.Dev(), w.Table)); }, "true",
     true,
     [](World& w) {
         return w.Doors.Doors[0].Outputs[OutBolt] == 0x0001 && (w.Table.Dev[0].Taken[ResOutput] & 0b0010);
     }},
    {"block write", 'c', [](World&) {},
     [](World& w) {
         w.Doors.Store(w.Dev(), w.Table);
         return std::string("done");
     },
     "done", false,
     [](World& w) {
         return !w.Emu.Writes.empty() && std::get<2>(w.Emu.Writes.back()) == HexBytes(test::DoorBody);
     }},
    {"delete-lost", 'F', [](World&) {},
     [](World& w) {
         w.Dev().DeleteLost();
         return std::string("done");
     },
     "done", false, [](World& w) { return w.Emu.DeleteLostCount > 0; }},
    {"replace", 'R', [](World&) {},
     [](World& w) {
         w.Dev().ReplaceDevice(0x0C05);
         return std::string("done");
     },
     "done", false,
     [](World& w) { return !w.Emu.Replacements.empty() && w.Emu.Replacements.back() == 0x0C05; }},
    {"keep-alive", 'S', [](World& w) { w.OwnSession(); },
     [](World& w) {
         w.Dev().KeepAlive();
         return std::string("done");
     },
     "done", false, [](World&) { return true; }},
    // The table of found devices goes at program end; its records close their sessions.
    {"close at shutdown", 's',
     [](World& w) {
         if (!w.Set) {
             w.Set.emplace(w.Pc);
             w.Set->Search();
         }
         w.OwnSession();
     },
     [](World& w) {
         w.Set.reset();
         return std::string();
     },
     "", false, [](World& w) { return w.Emu.SessionPeer != PcIp; }},
};

// --- The faults ---

enum Row {
    NoAnswer,
    Late,
    BadCrc,
    BadSignature,
    BadEcho,
    BadAck,
    LongReply,
    Flood,
    Foreign,
    Refused,
    Lapsed
};

struct FaultRow {
    const char* Name;
    std::function<void(World&, uint8_t cmd)> Arm;
};

void WithoutOwnSession(World& w)
{
    if (w.Set && w.Set->Count > 0)
        w.Dev().CloseSession();
}

const FaultRow Faults[] = {
    {"no answer", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::DropReply, cmd, -1); }},
    {"answer after 350 ms", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::LateReply, cmd, -1); }},
    {"bad CRC", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::BadCrc, cmd, -1); }},
    {"bad signature", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::BadSignature, cmd, -1); }},
    {"wrong echo", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::BadEcho, cmd, -1); }},
    // A negative acknowledgement: the byte 0x15 where 6 belongs.
    {"missing or negative ack", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::BadAck, cmd, -1); }},
    {"over-long reply", [](World& w, uint8_t cmd) { w.Emu.Inject(Fault::LongReply, cmd, -1); }},
    {"stream of unrelated datagrams", [](World& w, uint8_t) { w.Emu.FloodPeriod = 50; }},
    {"another program's session",
     [](World& w, uint8_t) {
         WithoutOwnSession(w);
         w.Emu.HoldForeignSession(w.Lan.Clock.Ms);
     }},
    {"refused session",
     [](World& w, uint8_t) {
         WithoutOwnSession(w);
         w.Host.TakeSession = true;
     }},
    // The controller drops a session after 30 s without its peer's traffic.
    {"session lapsed",
     [](World& w, uint8_t) {
         if (w.Set && w.Set->Count > 0)
             w.OwnSession();
         w.Lan.Clock.Ms += 30000;
     }},
};

void ClearFaults(World& w)
{
    w.Emu.ClearFaults();
    w.Emu.FloodPeriod = 0;
    w.Host.TakeSession = false;
    // A session the configurator does not hold lapses: another program's, or
    // one the controller opened while the reply to the request was lost.
    const bool own = w.Set && w.Set->Count > 0 && w.Dev().SessionOpen;
    w.Lan.Clock.Ms += own ? 1000 : 30000;
    // Late replies and stray datagrams still on their way are read and dropped.
    std::array<uint8_t, 64> stray;
    while (w.Pc.Receive(stray, 0) > 0) {
    }
}

// --- The cells ---

// The message head of every error here: the device, its mode, the code.
// clang-format off
#define K01 "K01_12345, tryb: Serwis.\n\nBłąd nr "
#define FOREIGN K01 "4: Kontroler ma obcą sesję.\n\nMożliwe przyczyny:\n" \
    " - kontroler połączony z inną kopią programu,\n" \
    " - kontroler pamięta sesję z poprzednim wywołaniem programu.\n" \
    "W tym drugim przypadku należy poczekać około 30s.\n"
// clang-format on
#define REFUSED K01 "5: Odmowa nawiązania sesji.\n"

struct Cell {
    Op Operation;
    Row Fault;
    const char* Outcome;               // the error text, or the quiet result
    int64_t Ms;                        // on the virtual clock
    const char* Wire;                  // the commands sent, in order
    const char* Irrelevant = nullptr;  // why the fault cannot touch this operation
};

const char* const PlainOnly = "the operation's frames are plain";
const char* const SignedOnly = "the operation's frames are signed";
const char* const NoAck = "the reply is no acknowledgement";
const char* const NoSession = "the operation holds no session";
const char* const OpensNone = "the operation never asks for a session";

const Cell Cells[] = {
    // Search: a broadcast, then 200 ms of collecting per pass, up to three passes.
    {Search, NoAnswer, "no device", 600, "O O O"},
    // The first pass hears nothing; the second takes the first reply at 350 and the second at 550.
    {Search, Late, "1 device", 750, "O O T"},
    {Search, BadCrc, "no device", 600, "O O O"},
    {Search, BadSignature, "1 device", 200, "O T", PlainOnly},
    {Search, BadEcho, "1 device", 200, "O T", PlainOnly},
    {Search, BadAck, "1 device", 200, "O T", NoAck},
    {Search, LongReply, "no device", 600, "O O O"},  // a status reply is exactly 28 bytes
    {Search, Flood, "1 device", 1000, "O T"},        // never 200 ms of quiet: the collection stops at 1000
    {Search, Foreign, "1 device", 200, "O T", NoSession},
    {Search, Refused, "1 device", 200, "O T", NoSession},
    {Search, Lapsed, "1 device", 200, "O T", NoSession},

    // Poll: three attempts, the device being alive; a failure marks it not alive.
    {Poll, NoAnswer, "false", 1200, "O O O"},
    {Poll, Late, "true", 350, "O"},
    {Poll, BadCrc, "false", 0, "O O O"},
    {Poll, BadSignature, "true", 0, "O", PlainOnly},
    {Poll, BadEcho, "true", 0, "O", PlainOnly},
    {Poll, BadAck, "true", 0, "O", NoAck},
    {Poll, LongReply, "false", 0, "O"},  // 17 status bytes, with a good CRC: no retry
    {Poll, Flood, "true", 0, "O"},
    {Poll, Foreign, "true", 0, "O", OpensNone},
    {Poll, Refused, "true", 0, "O", OpensNone},
    {Poll, Lapsed, "true", 0, "O"},  // and the session is known to be gone

    // Session: the poll, then the session request, three attempts.
    {Session, NoAnswer, REFUSED, 1200, "O K K K"},
    {Session, Late, "done", 350, "O K"},
    {Session, BadCrc, REFUSED, 0, "O K K K"},
    {Session, BadSignature, "done", 0, "O K", PlainOnly},
    {Session, BadEcho, "done", 0, "O K", PlainOnly},
    {Session, BadAck, "done", 0, "O K", NoAck},
    {Session, LongReply, REFUSED, 0, "O K"},
    {Session, Flood, "done", 0, "O K"},
    {Session, Foreign, FOREIGN, 0, "O"},
    {Session, Refused, REFUSED, 0, "O K"},
    {Session, Lapsed, "done", 0, "O K"},

    // Table read: the poll, then the signed read. A device that answers none
    // of the signed attempts is polled once and asked for its session again:
    // it may have lost ours (restarted, or taken over by another PC).
    // Granted, the reply was only lost, and the command is not repeated.
    {TableRead, NoAnswer, K01 "9 (r.'D'): Brak odpowiedzi na rozkaz.\n", 1200, "O D D D O K"},
    {TableRead, Late, "true", 350, "O D"},
    {TableRead, BadCrc, "true", 0, "O D", SignedOnly},
    {TableRead, BadSignature, K01 "6 (r.'D'): Błąd podpisu ramki.\n", 0, "O D"},
    {TableRead, BadEcho, K01 "9 (r.'D'): Brak odpowiedzi na rozkaz.\n", 1200, "O D D D O K"},
    {TableRead, BadAck, "true", 0, "O D", NoAck},
    // One byte past the entries the reply announces, far below 1400 bytes: not read.
    {TableRead, LongReply, "true", 0, "O D", "a table reply is long up to 1400 bytes"},
    {TableRead, Flood, "true", 0, "O D"},
    {TableRead, Foreign, FOREIGN, 0, "O"},
    {TableRead, Refused, REFUSED, 0, "O K"},
    {TableRead, Lapsed, "true", 0, "O K D"},

    // Block read: the poll, then the door's block; a block that does not fit gives false
    // (code 8 in the window).
    {BlockRead, NoAnswer, K01 "9 (r.'C'): Brak odpowiedzi na rozkaz.\n", 1200, "O C C C O K"},
    {BlockRead, Late, "true", 350, "O C"},
    {BlockRead, BadCrc, "true", 0, "O C", SignedOnly},
    {BlockRead, BadSignature, K01 "6 (r.'C'): Błąd podpisu ramki.\n", 0, "O C"},
    {BlockRead, BadEcho, K01 "9 (r.'C'): Brak odpowiedzi na rozkaz.\n", 1200, "O C C C O K"},
    {BlockRead, BadAck, "true", 0, "O C", NoAck},
    {BlockRead, LongReply, "false", 0, "O C"},
    {BlockRead, Flood, "true", 0, "O C"},
    {BlockRead, Foreign, FOREIGN, 0, "O"},
    {BlockRead, Refused, REFUSED, 0, "O K"},
    {BlockRead, Lapsed, "true", 0, "O K C"},

    // Block write: the poll, then the door's block, acknowledged. A lost
    // acknowledgement sends the block again: the controller took it each time.
    {BlockWrite, NoAnswer, K01 "9 (r.'c'): Brak odpowiedzi na rozkaz.\n", 1200, "O c c c O K"},
    {BlockWrite, Late, "done", 350, "O c"},
    {BlockWrite, BadCrc, "done", 0, "O c", SignedOnly},
    {BlockWrite, BadSignature, K01 "6 (r.'c'): Błąd podpisu ramki.\n", 0, "O c"},
    {BlockWrite, BadEcho, K01 "9 (r.'c'): Brak odpowiedzi na rozkaz.\n", 1200, "O c c c O K"},
    {BlockWrite, BadAck, K01 "10 (r.'c'): Brak potwierdzenia wysłanego rozkazu.\n", 0, "O c"},
    {BlockWrite, LongReply, K01 "7 (r.'c'): Odpowiedź dłuższa od oczekiwanej.\n", 0, "O c"},
    {BlockWrite, Flood, "done", 0, "O c"},
    {BlockWrite, Foreign, FOREIGN, 0, "O"},
    {BlockWrite, Refused, REFUSED, 0, "O K"},
    {BlockWrite, Lapsed, "done", 0, "O K c"},

    {DeleteLost, NoAnswer, K01 "9 (r.'F'): Brak odpowiedzi na rozkaz.\n", 1200, "O F F F O K"},
    {DeleteLost, Late, "done", 350, "O F"},
    {DeleteLost, BadCrc, "done", 0, "O F", SignedOnly},
    {DeleteLost, BadSignature, K01 "6 (r.'F'): Błąd podpisu ramki.\n", 0, "O F"},
    {DeleteLost, BadEcho, K01 "9 (r.'F'): Brak odpowiedzi na rozkaz.\n", 1200, "O F F F O K"},
    {DeleteLost, BadAck, K01 "10 (r.'F'): Brak potwierdzenia wysłanego rozkazu.\n", 0, "O F"},
    {DeleteLost, LongReply, K01 "7 (r.'F'): Odpowiedź dłuższa od oczekiwanej.\n", 0, "O F"},
    {DeleteLost, Flood, "done", 0, "O F"},
    {DeleteLost, Foreign, FOREIGN, 0, "O"},
    {DeleteLost, Refused, REFUSED, 0, "O K"},
    {DeleteLost, Lapsed, "done", 0, "O K F"},

    {Replace, NoAnswer, K01 "9 (r.'R'): Brak odpowiedzi na rozkaz.\n", 1200, "O R R R O K"},
    {Replace, Late, "done", 350, "O R"},
    {Replace, BadCrc, "done", 0, "O R", SignedOnly},
    {Replace, BadSignature, K01 "6 (r.'R'): Błąd podpisu ramki.\n", 0, "O R"},
    {Replace, BadEcho, K01 "9 (r.'R'): Brak odpowiedzi na rozkaz.\n", 1200, "O R R R O K"},
    {Replace, BadAck, K01 "10 (r.'R'): Brak potwierdzenia wysłanego rozkazu.\n", 0, "O R"},
    {Replace, LongReply, K01 "7 (r.'R'): Odpowiedź dłuższa od oczekiwanej.\n", 0, "O R"},
    {Replace, Flood, "done", 0, "O R"},
    {Replace, Foreign, FOREIGN, 0, "O"},
    {Replace, Refused, REFUSED, 0, "O K"},
    {Replace, Lapsed, "done", 0, "O K R"},

    // Keep-alive: only with a session of its own, which the poll must still find.
    {KeepAlive, NoAnswer, K01 "9 (r.'S'): Brak odpowiedzi na rozkaz.\n", 1200, "O S S S"},
    {KeepAlive, Late, "done", 350, "O S"},
    {KeepAlive, BadCrc, "done", 0, "O S", SignedOnly},
    {KeepAlive, BadSignature, K01 "6 (r.'S'): Błąd podpisu ramki.\n", 0, "O S"},
    {KeepAlive, BadEcho, K01 "9 (r.'S'): Brak odpowiedzi na rozkaz.\n", 1200, "O S S S"},
    {KeepAlive, BadAck, K01 "10 (r.'S'): Brak potwierdzenia wysłanego rozkazu.\n", 0, "O S"},
    {KeepAlive, LongReply, K01 "7 (r.'S'): Odpowiedź dłuższa od oczekiwanej.\n", 0, "O S"},
    {KeepAlive, Flood, "done", 0, "O S"},
    {KeepAlive, Foreign, "done", 0, ""},
    {KeepAlive, Refused, "done", 0, "", OpensNone},
    {KeepAlive, Lapsed, "done", 0, "O"},

    // Close at shutdown: errors end there unseen; the controller ends the
    // session when it takes the command, whatever becomes of the reply.
    {Close, NoAnswer, "", 1200, "O s s s"},
    {Close, Late, "", 350, "O s"},
    {Close, BadCrc, "", 0, "O s", SignedOnly},
    {Close, BadSignature, "", 0, "O s"},
    {Close, BadEcho, "", 1200, "O s s s"},
    {Close, BadAck, "", 0, "O s"},
    {Close, LongReply, "", 0, "O s"},
    {Close, Flood, "", 0, "O s"},
    {Close, Foreign, "", 0, ""},
    {Close, Refused, "", 0, "", OpensNone},
    {Close, Lapsed, "", 0, "O"},
};

#undef K01
#undef FOREIGN
#undef REFUSED

// The commands the configurator sent since trace index `from`.
std::string Wire(const sim::VirtualLan& lan, size_t from)
{
    std::string text;
    for (size_t i = from; i < lan.Trace.size(); ++i) {
        const sim::Frame& f = lan.Trace[i];
        if (f.From != PcIp)
            continue;
        const bool isSigned = f.Data.size() >= 19 && f.Data[3] == 'C';
        text += text.empty() ? "" : " ";
        text += static_cast<char>(isSigned ? f.Data[10] : f.Data[3]);
    }
    return text;
}

std::string Outcome(World& w, const Operation& op)
{
    try {
        return op.Run(w);
    } catch (const UErr& e) {
        return e.Text();
    }
}

struct ModelCopy {
    explicit ModelCopy(const World& w)
        : Table(w.Table), Doors(w.Doors.Doors), Common(w.Doors.Common), Lift(w.Lift), Lockers(w.Lockers)
    {
    }
    bool operator==(const ModelCopy&) const = default;

    BusDevTable Table;
    std::array<DoorCfg, MaxDoors> Doors;
    CfgBlock Common;
    CfgBlock Lift;
    CfgBlock Lockers;
};

void CheckCell(const Cell& c)
{
    const Operation& op = Operations[c.Operation];
    World w;
    op.Ready(w);
    Faults[c.Fault].Arm(w, op.Cmd);
    const ModelCopy before(w);
    const size_t mark = w.Lan.Trace.size();
    const int64_t start = w.Lan.Clock.Ms;

    const std::string outcome = Outcome(w, op);
    EXPECT_EQ(outcome, c.Outcome);
    EXPECT_EQ(w.Lan.Clock.Ms - start, c.Ms);
    EXPECT_EQ(Wire(w.Lan, mark), c.Wire);
    if (c.Irrelevant) {
        EXPECT_EQ(outcome, op.Success) << c.Irrelevant;
    }
    if (outcome == op.Success) {
        EXPECT_TRUE(op.Took(w));
    }
    if (outcome != op.Success || !op.ReadsModel) {
        EXPECT_TRUE(ModelCopy(w) == before) << "the model changed";
    }

    ClearFaults(w);
    op.Ready(w);
    EXPECT_EQ(Outcome(w, op), op.Success) << "once the fault is cleared";
    EXPECT_TRUE(op.Took(w)) << "once the fault is cleared";
}

TEST(FaultMatrix, EveryFaultAgainstEveryOperation)
{
    for (const Cell& c : Cells) {
        SCOPED_TRACE(std::string(Operations[c.Operation].Name) + ", " + Faults[c.Fault].Name);
        try {
            CheckCell(c);
        } catch (const UErr& e) {
            ADD_FAILURE() << "in the setting up: " << e.Text();
        }
    }
}

TEST(FaultMatrix, CoversEveryFaultAndOperationOnce)
{
    std::set<std::pair<int, int>> seen;
    for (const Cell& c : Cells) {
        EXPECT_TRUE(seen.emplace(c.Operation, c.Fault).second)
            << Operations[c.Operation].Name << ", " << Faults[c.Fault].Name;
    }
    EXPECT_EQ(seen.size(), std::size(Operations) * std::size(Faults));
}

}  // namespace
}  // namespace quor
