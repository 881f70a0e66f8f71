# Writes a C++ source that holds a file's bytes, for documents built into the
# program:   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=Function -P EmbedFile.cmake
# The source defines std::string_view quor::NAME(), exactly the file's bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include <string_view>

namespace quor {
namespace {
const unsigned char Bytes[${size}] = {
${bytes}
};
}  // namespace

std::string_view ${NAME}()
{
    return {reinterpret_cast<const char*>(Bytes), sizeof Bytes};
}
}  // namespace quor
")
