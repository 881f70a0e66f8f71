// UTF-8 to Windows-1250 through the C library's iconv, with a plain '?' for
// whatever cannot be converted (no transliteration: the installer must see
// that a character was lost, not a look-alike).
#include "report/Cp1250.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace quor {

namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("WINDOWS-1250", "UTF-8"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("UTF-8 to Windows-1250 conversion is not available");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    operator iconv_t() const { return cd_; }

private:
    iconv_t cd_;
};

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of text (no overlong
// forms, no surrogates, nothing above U+10FFFF); 0 when there is none.
size_t SequenceLength(std::string_view text)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80;  // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byte(i))) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string ToCp1250(std::string_view utf8)
{
    Converter cd;
    std::string result;
    // Every character gives at most one byte.
    result.resize(utf8.size());
    char* in = const_cast<char*>(utf8.data());  // iconv does not write through it
    size_t inLeft = utf8.size();
    char* out = result.data();
    size_t outLeft = result.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            throw std::runtime_error("UTF-8 to Windows-1250 conversion failed");
        }
        // A character Windows-1250 lacks is skipped whole; a malformed byte alone.
        const size_t skip = std::max<size_t>(SequenceLength({in, inLeft}), 1);
        *out++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
    }
    result.resize(result.size() - outLeft);
    return result;
}

bool HoldsCp1250(std::string_view utf8)
{
    Converter cd;
    std::string out(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());  // iconv does not write through it
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1)) {
        return true;
    }
    if (errno != EILSEQ && errno != EINVAL) {
        throw std::runtime_error("UTF-8 to Windows-1250 conversion failed");
    }
    return false;
}

}  // namespace quor
