#pragma once
// Configuration blocks as a controller sends them, built by hand from the
// block layout, for the codec tests and the tests against the emulator.

namespace quor::test {

// Each of these round-trips: its write body is the reply from offset 8 on.
inline const char* const CommonReply = "10 00 00 00 00 00 00 01"
                                       "39 30 AA BB CC DD EE FF";  // train number 12345, 6 bytes kept

inline const char* const LiftReply = "02 84 0A 04 12 34 08 00"  // bytes 4-5 carry no meaning
                                     "00 03 01 03 FF FF 00 04"  // output sets: D05 set 1 and 2, -, e4 set 1
                                     "FF FF 00 00 FF FF 01 00 FF FF FF FF FF FF FF FF FF FF FF FF"  // inputs
                                     "00 01 FF FF FF FF FF FF"                                      // readers
                                     "00 00 00 00 14 7F 00 00 08 09 0A 0B 0C 0D 0E 0F"              // params
                                     "10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F"
                                     "20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F"
                                     "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F";

inline const char* const LockersReply =
    "03 90 04 04 00 00 08 08"
    "00 03 01 03 00 04 FF FF FF FF FF FF FF FF FF FF"  // output sets 0-15
    "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"
    "00 00 81 00 02 00 03 00"                          // inputs
    "00 01 FF FF FF FF 01 00"                          // readers
    "00 00 00 00 06 00 00 00 00 00 00 00 00 00 00 00"  // params: pulse 3 s
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 E8 03"  // test from locker 1000
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
    "53 7A 61 74 6E 69 61 00 00 00 00 00 00 00 00 00"  // room "Szatnia"
    "01 00 20 00 21 00 40 00 FF FF FF FF FF FF FF FF"  // data: lockers 1-32, 33-64
    "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"
    "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"
    "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";

// A door block as a controller may hold it: inputs 8 and 9 assigned and
// parameter bytes 4 to 7 above 127.
inline const char* const DoorReply = "01 04 0A 04 00 00 08 00"
                                     "02 00 83 00 FF FF 03 01"                                      // outputs
                                     "00 00 81 00 FF FF FF FF 00 01 03 00 FF FF FF FF 01 00 00 01"  // inputs
                                     "00 01 01 00 FF FF FF FF"                                      // readers
                                     "01 00 46 00 C8 FF 0C 80 10 11 12 13 14 15 16 17"              // params
                                     "18 19 1A 1B 1C 1D 1E 1F 20 21 22 23 24 25 26 27"
                                     "01 00 00 00 00 00 00 00 01 AA 00 00 00 00 00 00"
                                     "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E FF";

// Its write body: inputs 8 and 9 none, parameter bytes 4 to 7 at most 127.
inline const char* const DoorBody = "02 00 83 00 FF FF 03 01"
                                    "00 00 81 00 FF FF FF FF 00 01 03 00 FF FF FF FF FF FF FF FF"
                                    "00 01 01 00 FF FF FF FF"
                                    "01 00 46 00 7F 7F 0C 7F 10 11 12 13 14 15 16 17"
                                    "18 19 1A 1B 1C 1D 1E 1F 20 21 22 23 24 25 26 27"
                                    "01 00 00 00 00 00 00 00 01 AA 00 00 00 00 00 00"
                                    "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E FF";

}  // namespace quor::test
