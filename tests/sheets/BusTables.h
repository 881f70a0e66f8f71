#pragma once
// Bus-device tables of the three controller kinds, parsed from read-table
// replies written as a capture shows them (layout: N, kind/doors, train flag,
// 2 bytes, then 12 bytes per entry: Id, Conn, Flags, D2, D3, inputs, readers, 2 bytes).
#include <gtest/gtest.h>

#include <string_view>

#include "model/Hardres.h"
#include "tests/support/HexBytes.h"

namespace quor::test {

inline BusDevTable ParsedTable(std::string_view reply)
{
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes(reply)));
    return t;
}

// Door controller, 4 doors, train flag 1.
// e0 K01_12345: outputs 1-2 relays, 3-4 OC; 4 inputs; 2 readers.
// e1 R05_00007: one OC output; 2 inputs; 1 reader.
inline BusDevTable DoorTable()
{
    return ParsedTable("02 00 24 10 00 00"
                       "39 30 2D 21  01 00 02 02 04 02 00 00"
                       "07 00 05 20  03 00 00 01 02 01 00 00");
}

// Lift controller (kind 2, one "door").
// e0 K01_12345: 4 inputs, 1 reader. e1 D01_00001: 2 output sets, 2 inputs.
// e2 D01_00002: 1 output set, 2 inputs.
inline BusDevTable LiftTable()
{
    return ParsedTable("03 00 41 00 00 00"
                       "39 30 2D 21  01 00 00 00 04 01 00 00"
                       "01 00 BD 22  02 00 82 00 02 00 00 00"
                       "02 00 BD 22  03 00 81 00 02 00 00 00");
}

// Lockers controller (kind 3): the same devices as the lift table.
inline BusDevTable LockersTable()
{
    return ParsedTable("03 00 61 00 00 00"
                       "39 30 2D 21  01 00 00 00 04 01 00 00"
                       "01 00 BD 22  02 00 82 00 02 00 00 00"
                       "02 00 BD 22  03 00 81 00 02 00 00 00");
}

}  // namespace quor::test
