#include <gtest/gtest.h>

#include "link/DevId.h"
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
        {0x212D3039, "K01_12345"},                               // type 3, model 1, standard name
        {0x012D3039, "K101_12345"},                              // name variant 0 adds 100
        {0x23FF0000, "X23_00000"},                               // model code 1023: type 10
        {0x20050007, "R05_00007"},                               // a reader
        {0xA4050007, "R05_00007"},                               // connection bits do not change the name
        {0x207D0001, "T25_00001"},                               // model 125: a time recorder
        {0x2064FFFF, "T00_65535"},  {0x7064FFFF, "T100_65535"},  // name variant 7
        {0xAD2D3039, "K01_12345"},                               // connection H
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DevName(c.id), c.name) << std::hex << c.id;
    }
    EXPECT_EQ(DevType(0x212D3039), 3);
    EXPECT_EQ(DevType(0x23FF0000), 10);
}

// Every field of an identity, bits 0-15 serial, 16-25 model code, 26-27 and
// 31 connection letter, 28-30 name variant.
TEST(DevId, Fields)
{
    const struct {
        uint32_t Id;
        uint16_t Serial;
        uint16_t ModelCode;
        int Type;
        int NameVariant;
        int NameNumber;
        char ConnLetter;
        uint32_t OrderKey;
        bool EmptySlot;
    } cases[] = {
        {0x212D3039, 12345, 301, 3, 2, 1, 'A', 0x012D3039, false},    // a controller, standard name
        {0x012D3039, 12345, 301, 3, 0, 101, 'A', 0x012D3039, false},  // name variant 0
        {0x712D3039, 12345, 301, 3, 7, 101, 'A', 0x012D3039, false},  // name variant 7
        {0x23FF0000, 0, 1023, 10, 2, 23, 'A', 0x03FF0000, false},     // the highest model code
        {0x20050007, 7, 5, 0, 2, 5, 'A', 0x00050007, false},          // a reader on A
        {0x24050007, 7, 5, 0, 2, 5, 'B', 0x00050007, false},          // bit 26
        {0x2C050007, 7, 5, 0, 2, 5, 'D', 0x00050007, false},          // bits 26 and 27
        {0xA0050007, 7, 5, 0, 2, 5, 'E', 0x00050007, false},          // bit 31
        {0xA4050007, 7, 5, 0, 2, 5, 'F', 0x00050007, false},          // bits 31 and 26
        {0xAC050007, 7, 5, 0, 2, 5, 'H', 0x00050007, false},          // bits 31, 27 and 26
        {0x2064FFFF, 65535, 100, 1, 2, 0, 'A', 0x0064FFFF, false},    // model 100: type 1, number 0
        {0x207D0001, 1, 125, 1, 2, 25, 'A', 0x007D0001, false},       // a time recorder
        {0x00000000, 0, 0, 0, 0, 100, 'A', 0x00000000, false},
        {0xFFFE1234, 0x1234, 1022, 10, 7, 122, 'H', 0x03FE1234, false},  // one bit short of empty
        {0xFFFF1234, 0x1234, 1023, 10, 7, 123, 'H', 0x03FF1234, true},   // an empty bus-table slot
        {0xFFFFFFFF, 65535, 1023, 10, 7, 123, 'H', 0x03FFFFFF, true},
    };
    for (const auto& c : cases) {
        const DevId id(c.Id);
        EXPECT_EQ(id.Value(), c.Id);
        EXPECT_EQ(id.Serial(), c.Serial) << std::hex << c.Id;
        EXPECT_EQ(id.ModelCode(), c.ModelCode) << std::hex << c.Id;
        EXPECT_EQ(id.Type(), c.Type) << std::hex << c.Id;
        EXPECT_EQ(DevType(c.Id), c.Type) << std::hex << c.Id;
        EXPECT_EQ(id.NameVariant(), c.NameVariant) << std::hex << c.Id;
        EXPECT_EQ(id.StandardName(), c.NameVariant == 2) << std::hex << c.Id;
        EXPECT_EQ(id.NameNumber(), c.NameNumber) << std::hex << c.Id;
        EXPECT_EQ(id.ConnLetter(), c.ConnLetter) << std::hex << c.Id;
        EXPECT_EQ(id.OrderKey(), c.OrderKey) << std::hex << c.Id;
        EXPECT_EQ(id.EmptySlot(), c.EmptySlot) << std::hex << c.Id;
    }
}

// One device: model and serial alike, whatever the connection and name
// variant; one model: the model code alike.
TEST(DevId, SameDeviceAndSameModel)
{
    const struct {
        uint32_t A;
        uint32_t B;
        bool SameDevice;
        bool SameModel;
    } cases[] = {
        {0x212D3039, 0x212D3039, true, true},
        {0x212D3039, 0xAD2D3039, true, true},    // another connection letter
        {0x212D3039, 0x012D3039, true, true},    // another name variant
        {0x212D3039, 0x212D303A, false, true},   // another serial
        {0x20050007, 0x20060007, false, false},  // another model, same serial
        {0x212D3039, 0x222D3039, false, false},  // model code 557, not 301
        {0x21F50001, 0x20F50001, false, false},  // 501 and 245: bits 24 and 25 count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DevId(c.A).SameDevice(DevId(c.B)), c.SameDevice) << std::hex << c.A << " " << c.B;
        EXPECT_EQ(DevId(c.B).SameDevice(DevId(c.A)), c.SameDevice) << std::hex << c.A << " " << c.B;
        EXPECT_EQ(DevId(c.A).SameModel(DevId(c.B)), c.SameModel) << std::hex << c.A << " " << c.B;
    }
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
