#pragma once
// The lockers room name: at most 15 characters, kept by the controller as
// 8-bit Windows-1250 text.

#include <string>
#include <string_view>

namespace quor {

// The first 15 characters (not bytes) of UTF-8 text: what the edit field holds.
std::string ClipRoomName(std::string_view utf8);
// The bytes to store: the clipped name in Windows-1250, one byte per
// character ('?' for a character the code page lacks). The edit field shows a
// byte the code page leaves undefined as U+FFFD; the n-th U+FFFD left in the
// text stands for the n-th such byte of stored, the name as it was, and is
// stored as that byte again.
std::string RoomNameBytes(std::string_view utf8, std::string_view stored = {});
// Windows-1250 bytes as UTF-8 for the edit field; a byte the code page leaves
// undefined shows as U+FFFD.
std::string RoomNameText(std::string_view cp1250);

}  // namespace quor
