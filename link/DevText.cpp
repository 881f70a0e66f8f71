// Device identities and the texts built from them.
#include <charconv>
#include <cstdio>

#include "link/DevId.h"
#include "link/Udpdev.h"

namespace quor {

int DevType(uint32_t id)
{
    return DevId(id).Type();
}

std::string DevName(uint32_t id)
{
    static constexpr char Letters[] = "RTZKCKPDXXX";
    const DevId dev(id);
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d_%05u", Letters[dev.Type()], dev.NameNumber(),
                  unsigned{dev.Serial()});
    return text;
}

uint32_t ParseIp(std::string_view dotted)
{
    // Well-formed text only ever comes from the endpoint; anything else
    // yields whatever numbers could be read, never a fault.
    uint32_t ip = 0;
    const char* p = dotted.data();
    const char* end = p + dotted.size();
    for (int octet = 0; octet < 4; ++octet) {
        uint32_t value = 0;
        auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc{}) {
            value = 0;
        }
        ip = (ip << 8) + value;
        p = next;
        if (p < end && *p == '.') {
            ++p;
        }
    }
    return ip;
}

// Built for every datagram the link sends: to_chars, not a format string.
std::string IpText(uint32_t ip)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char part[3];
        text.append(part, std::to_chars(part, part + sizeof part, (ip >> shift) & 0xFF).ptr);
        if (shift > 0)
            text += '.';
    }
    return text;
}

std::string UdpDev::IpText() const
{
    return quor::IpText(Ip);
}

std::string UdpDev::ModeName() const
{
    static constexpr const char* Names[] = {"Blokada", "Konfiguracja", "Serwis", "Instalacja"};
    return Alive ? Names[static_cast<int>(ModeOf(Mode))] : "Niedostępny";
}

std::string UdpDev::ListRow() const
{
    return " " + DevName(Id) + ",  " + IpText() + ",  " + ModeName();
}

}  // namespace quor
