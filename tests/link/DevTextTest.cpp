#include <gtest/gtest.h>

#include "link/Udpdev.h"
#include "sim/VirtualLan.h"

namespace quor {
namespace {

TEST(DevText, DevName)
{
    const struct {
        uint32_t id;
        const char* name;
    } cases[] = {
        {0x212D3039, "K01_12345"},   // type 3, model 1, standard name
        {0x012D3039, "K101_12345"},  // name variant 0 adds 100
        {0x23FF0000, "X23_00000"},   // model code 1023: type 10
        {0x20050007, "R05_00007"},   // a reader
        {0xA4050007, "R05_00007"},   // connection bits do not change the name
        {0x207D0001, "T25_00001"},   // model 125: a time recorder
        {0x2064FFFF, "T00_65535"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DevName(c.id), c.name) << std::hex << c.id;
    }
    EXPECT_EQ(DevType(0x212D3039), 3);
    EXPECT_EQ(DevType(0x23FF0000), 10);
}

TEST(DevText, ParseIpAndIpText)
{
    EXPECT_EQ(ParseIp("192.168.1.1"), 0xC0A80101u);
    EXPECT_EQ(ParseIp("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseIp("0.0.0.0"), 0u);
    EXPECT_EQ(ParseIp("1.256.0.0"), (1u << 24) + (256u << 16));  // not range-checked
    EXPECT_EQ(ParseIp("10.1"), 0x0A010000u);                     // short text never faults
    EXPECT_EQ(IpText(0xC0A80101), "192.168.1.1");
    EXPECT_EQ(IpText(0xFFFFFFFF), "255.255.255.255");
}

TEST(DevText, ModeNameAndListRow)
{
    sim::VirtualLan lan;
    UdpDev dev(lan.AddPc(), 0x212D3039, 0xC0A80164, 2, 0x82);
    EXPECT_EQ(dev.ModeName(), "Serwis");
    EXPECT_EQ(dev.ListRow(), " K01_12345,  192.168.1.100,  Serwis");
    const char* names[] = {"Blokada", "Konfiguracja", "Serwis", "Instalacja"};
    for (uint16_t mode = 0; mode < 4; ++mode) {
        dev.Mode = mode | 0x80;
        EXPECT_EQ(dev.ModeName(), names[mode]);
    }
    dev.Alive = false;
    EXPECT_EQ(dev.ListRow(), " K01_12345,  192.168.1.100,  Niedostępny");
}

TEST(UErrText, Pieces)
{
    sim::VirtualLan lan;
    UdpDev dev(lan.AddPc(), 0x212D3039, 0xC0A80164, 2, 2);
    EXPECT_EQ((UErr{&dev, 9, 'C'}.Text()),
              "K01_12345, tryb: Serwis.\n\nBłąd nr 9 (r.'C'): Brak odpowiedzi na rozkaz.\n");
    EXPECT_EQ((UErr{&dev, 1, 0}.Text()),
              "K01_12345, tryb: Serwis.\n\nBłąd nr 1: Urządzenie nie odpowiada.\n");
    dev.Alive = false;
    EXPECT_EQ((UErr{&dev, 12, 0}.Text()), "K01_12345, tryb: Niedostępny.\n\nBłąd nr 12: Brak opisu błędu.\n");
}

TEST(UErrText, Messages)
{
    const struct {
        int code;
        const char* message;
    } cases[] = {
        {0, "Brak opisu błędu."},
        {1, "Urządzenie nie odpowiada."},
        {2, "Urządzenie ma starą wersję protokołu komunikacji."},
        {3, "Urządzenie ma nieznaną programowi wersję protokołu komunikacji."},
        {4, "Kontroler ma obcą sesję.\n\nMożliwe przyczyny:\n - kontroler połączony z inną kopią programu,\n"
            " - kontroler pamięta sesję z poprzednim wywołaniem programu.\nW tym drugim przypadku należy "
            "poczekać około 30s."},
        {5, "Odmowa nawiązania sesji."},
        {6, "Błąd podpisu ramki."},
        {7, "Odpowiedź dłuższa od oczekiwanej."},
        {8, "Błąd odczytu danych konfiguracji."},
        {9, "Brak odpowiedzi na rozkaz."},
        {10, "Brak potwierdzenia wysłanego rozkazu."},
        {11, "Kontroler nie pozwala odczytać ustawień przejść.\nUstaw go w tryb 'Service'"},
        {12, "Brak opisu błędu."},
        {-1, "Brak opisu błędu."},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ErrorMessage(c.code), c.message) << c.code;
    }
}

}  // namespace
}  // namespace quor
