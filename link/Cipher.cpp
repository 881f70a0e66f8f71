#include "link/Cipher.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUOR_AES_INSTRUCTIONS 1
#endif

namespace quor {

namespace {

// GF(2^8) with the AES polynomial x^8 + x^4 + x^3 + x + 1.
constexpr uint8_t XTime(uint8_t a)
{
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0x00));
}

constexpr uint8_t GfMul(uint8_t a, uint8_t b)
{
    uint8_t product = 0;
    for (; b != 0; b >>= 1, a = XTime(a))
        if (b & 1)
            product ^= a;
    return product;
}

constexpr uint8_t RotL8(uint8_t x, int n)
{
    return static_cast<uint8_t>((x << n) | (x >> (8 - n)));
}

// Walks the whole multiplicative group with the generator 3 and its inverse side by side, so each
// element meets its inverse without a search; the affine transform of the S-box then applies to it.
constexpr std::array<uint8_t, 256> MakeSBox()
{
    std::array<uint8_t, 256> box{};
    uint8_t p = 1;
    uint8_t q = 1;
    do {
        p = static_cast<uint8_t>(p ^ XTime(p));
        q ^= static_cast<uint8_t>(q << 1);
        q ^= static_cast<uint8_t>(q << 2);
        q ^= static_cast<uint8_t>(q << 4);
        if (q & 0x80)
            q ^= 0x09;
        box[p] = q ^ RotL8(q, 1) ^ RotL8(q, 2) ^ RotL8(q, 3) ^ RotL8(q, 4) ^ 0x63;
    } while (p != 1);
    box[0] = 0x63;  // 0 has no inverse; FIPS-197 maps it to itself before the affine step
    return box;
}

constexpr std::array<uint8_t, 256> Invert(const std::array<uint8_t, 256>& box)
{
    std::array<uint8_t, 256> inverse{};
    for (int i = 0; i < 256; ++i)
        inverse[box[i]] = static_cast<uint8_t>(i);
    return inverse;
}

constexpr std::array<uint8_t, 256> MakeMulTable(uint8_t factor)
{
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = GfMul(static_cast<uint8_t>(i), factor);
    return table;
}

constexpr std::array<uint8_t, 256> SBox = MakeSBox();
constexpr std::array<uint8_t, 256> InvSBox = Invert(SBox);
constexpr std::array<uint8_t, 256> Mul2 = MakeMulTable(2);
constexpr std::array<uint8_t, 256> Mul3 = MakeMulTable(3);
constexpr std::array<uint8_t, 256> Mul9 = MakeMulTable(9);
constexpr std::array<uint8_t, 256> Mul11 = MakeMulTable(11);
constexpr std::array<uint8_t, 256> Mul13 = MakeMulTable(13);
constexpr std::array<uint8_t, 256> Mul14 = MakeMulTable(14);

// One round of encryption on 32-bit columns: the SubBytes, ShiftRows and MixColumns of one input
// byte in row r, as the column it adds to its output column, row 0 in the low byte. Row r's table
// is row 0's turned left by r bytes, as the MixColumns matrix turns its rows.
constexpr std::array<uint32_t, 256> MakeRoundTable(int row)
{
    std::array<uint32_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const uint32_t s = SBox[i];
        const uint32_t column = Mul2[SBox[i]] | s << 8 | s << 16 | uint32_t{Mul3[SBox[i]]} << 24;
        table[i] = std::rotl(column, 8 * row);
    }
    return table;
}

constexpr std::array<std::array<uint32_t, 256>, 4> RoundTables = {MakeRoundTable(0), MakeRoundTable(1),
                                                                  MakeRoundTable(2), MakeRoundTable(3)};

// Corner entries from FIPS-197 figures 7 and 14.
static_assert(SBox[0x00] == 0x63 && SBox[0x53] == 0xED && SBox[0xFF] == 0x16);
static_assert(InvSBox[0x63] == 0x00 && InvSBox[0xED] == 0x53);

using Block = std::array<uint8_t, 16>;

// Nk and Nr are public and set by the constructor; a pair that needs more round-key words than
// RoundKeys holds must not make the cipher run past it.
void CheckShape(const AES& aes)
{
    constexpr int32_t MaxWords = 240 / 4;
    const int32_t words = 4 * (aes.Nr + 1);
    if (aes.Nk < 1 || aes.Nr < 1 || words > MaxWords || aes.Nk > words)
        throw std::invalid_argument("AES: unsupported key length or round count");
}

void AddRoundKey(uint8_t* state, const uint8_t* roundKey)
{
    for (int i = 0; i < 16; ++i)
        state[i] ^= roundKey[i];
}

// Byte i of the block is row i % 4, column i / 4. ShiftRows turns row r by r columns to the left,
// so column c of its result takes row r from column c + r; InvShiftRows takes it from c - r.
// Each function below runs the steps of one round column by column from `in` into `out`.

// Column c of a block: bytes 4c to 4c + 3, row 0 in the low byte.
uint32_t LoadColumn(const uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint8_t Row(uint32_t column, int r)
{
    return static_cast<uint8_t>(column >> (8 * r));
}

// SubBytes, ShiftRows, MixColumns, AddRoundKey.
void EncryptRound(const std::array<uint32_t, 4>& in, std::array<uint32_t, 4>& out, const uint8_t* roundKey)
{
    for (int c = 0; c < 4; ++c)
        out[c] = RoundTables[0][Row(in[c], 0)] ^ RoundTables[1][Row(in[(c + 1) % 4], 1)] ^
                 RoundTables[2][Row(in[(c + 2) % 4], 2)] ^ RoundTables[3][Row(in[(c + 3) % 4], 3)] ^
                 LoadColumn(roundKey + 4 * c);
}

// SubBytes, ShiftRows, AddRoundKey: the last round has no MixColumns.
void EncryptLastRound(const std::array<uint32_t, 4>& in, uint8_t* out, const uint8_t* roundKey)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            out[4 * c + r] = SBox[Row(in[(c + r) % 4], r)] ^ roundKey[4 * c + r];
}

// InvShiftRows, InvSubBytes, AddRoundKey, InvMixColumns.
void DecryptRound(const uint8_t* in, uint8_t* out, const uint8_t* roundKey)
{
    for (int c = 0; c < 4; ++c) {
        const uint8_t a0 = InvSBox[in[4 * c]] ^ roundKey[4 * c];
        const uint8_t a1 = InvSBox[in[4 * ((c + 3) % 4) + 1]] ^ roundKey[4 * c + 1];
        const uint8_t a2 = InvSBox[in[4 * ((c + 2) % 4) + 2]] ^ roundKey[4 * c + 2];
        const uint8_t a3 = InvSBox[in[4 * ((c + 1) % 4) + 3]] ^ roundKey[4 * c + 3];
        out[4 * c] = Mul14[a0] ^ Mul11[a1] ^ Mul13[a2] ^ Mul9[a3];
        out[4 * c + 1] = Mul9[a0] ^ Mul14[a1] ^ Mul11[a2] ^ Mul13[a3];
        out[4 * c + 2] = Mul13[a0] ^ Mul9[a1] ^ Mul14[a2] ^ Mul11[a3];
        out[4 * c + 3] = Mul11[a0] ^ Mul13[a1] ^ Mul9[a2] ^ Mul14[a3];
    }
}

// InvShiftRows, InvSubBytes, AddRoundKey: the last round has no InvMixColumns.
void DecryptLastRound(const uint8_t* in, uint8_t* out, const uint8_t* roundKey)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            out[4 * c + r] = InvSBox[in[4 * ((c + 4 - r) % 4) + r]] ^ roundKey[4 * c + r];
}

#ifdef QUOR_AES_INSTRUCTIONS
// The round keys are laid out as the instructions take them: round r in bytes 16r to 16r + 15.
__attribute__((target("aes,sse2"))) void EncryptWithInstructions(const uint8_t* keys, int32_t nr,
                                                                 uint8_t* block)
{
    const auto roundKey = [keys](int32_t r) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + 16 * r));
    };
    __m128i state = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block)), roundKey(0));
    for (int32_t round = 1; round < nr; ++round)
        state = _mm_aesenc_si128(state, roundKey(round));
    state = _mm_aesenclast_si128(state, roundKey(nr));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(block), state);
}
#endif

}  // namespace

bool CpuHasAes()
{
#ifdef QUOR_AES_INSTRUCTIONS
    static const bool has = __builtin_cpu_supports("aes") && __builtin_cpu_supports("sse2");
    return has;
#else
    return false;
#endif
}

void AES::SetKey(const uint8_t* key)
{
    CheckShape(*this);
    // The schedule begins with the key itself. Every signed exchange loads the session key again:
    // the key in use needs no new schedule.
    if (ScheduledNk == Nk && ScheduledNr == Nr && std::equal(key, key + 4 * Nk, RoundKeys.begin()))
        return;
    ScheduledNk = Nk;
    ScheduledNr = Nr;
    ++KeyVersion;
    uint8_t* w = RoundKeys.data();  // word i is bytes 4i..4i+3, first byte first
    std::copy_n(key, 4 * Nk, w);
    uint8_t rcon = 0x01;
    for (int32_t i = Nk; i < 4 * (Nr + 1); ++i) {
        uint8_t temp[4] = {w[4 * i - 4], w[4 * i - 3], w[4 * i - 2], w[4 * i - 1]};
        if (i % Nk == 0) {
            const uint8_t first = temp[0];  // RotWord, then SubWord, then the round constant
            temp[0] = SBox[temp[1]] ^ rcon;
            temp[1] = SBox[temp[2]];
            temp[2] = SBox[temp[3]];
            temp[3] = SBox[first];
            rcon = XTime(rcon);
        } else if (Nk > 6 && i % Nk == 4) {
            for (uint8_t& byte : temp)
                byte = SBox[byte];
        }
        for (int j = 0; j < 4; ++j)
            w[4 * i + j] = w[4 * (i - Nk) + j] ^ temp[j];
    }
}

// The rounds work on the four columns as words and alternate between two of them, so that no
// step reads a column it has already overwritten. Signing a frame is mostly this.
void AES::Encrypt(uint8_t* block) const
{
    CheckShape(*this);
    const uint8_t* keys = RoundKeys.data();
#ifdef QUOR_AES_INSTRUCTIONS
    if (!TablesOnly && CpuHasAes()) {
        EncryptWithInstructions(keys, Nr, block);
        return;
    }
#endif
    std::array<uint32_t, 4> a, b;
    std::array<uint32_t, 4>* in = &a;
    std::array<uint32_t, 4>* out = &b;
    for (int c = 0; c < 4; ++c)
        a[c] = LoadColumn(block + 4 * c) ^ LoadColumn(keys + 4 * c);
    for (int32_t round = 1; round < Nr; ++round) {
        EncryptRound(*in, *out, keys + 16 * round);
        std::swap(in, out);
    }
    EncryptLastRound(*in, block, keys + 16 * Nr);
}

void AES::Decrypt(uint8_t* block) const
{
    CheckShape(*this);
    const uint8_t* keys = RoundKeys.data();
    Block a, b;
    uint8_t* in = a.data();
    uint8_t* out = b.data();
    std::copy_n(block, 16, in);
    AddRoundKey(in, keys + 16 * Nr);
    for (int32_t round = Nr - 1; round > 0; --round) {
        DecryptRound(in, out, keys + 16 * round);
        std::swap(in, out);
    }
    DecryptLastRound(in, block, keys);
}

namespace {

// Buffer and State hold 16 bytes: a cipher with a longer block would make the MAC write past them.
size_t MacBlockSize(const Coder* cipher)
{
    if (cipher == nullptr || cipher->BlockSize < 1 || cipher->BlockSize > 16)
        throw std::invalid_argument("Cmac: unsupported cipher block size");
    return static_cast<size_t>(cipher->BlockSize);
}

// Doubling in GF(2^(8b)): a left shift of the b-byte big-endian number, reduced by Rb on carry-out.
void DoubleSubkey(uint8_t* k, size_t b, uint8_t rb)
{
    const bool carry = (k[0] & 0x80) != 0;
    for (size_t i = 0; i + 1 < b; ++i)
        k[i] = static_cast<uint8_t>((k[i] << 1) | (k[i + 1] >> 7));
    k[b - 1] = static_cast<uint8_t>(k[b - 1] << 1);
    if (carry)
        k[b - 1] ^= rb;
}

}  // namespace

Cmac::Subkeys Cmac::MakeSubkeys() const
{
    const size_t b = MacBlockSize(Cipher);
    const uint8_t rb = b == 16 ? 0x87 : 0x1B;
    Subkeys k{};
    Cipher->Encrypt(k[0].data());  // L
    DoubleSubkey(k[0].data(), b, rb);
    k[1] = k[0];
    DoubleSubkey(k[1].data(), b, rb);
    return k;
}

void Cmac::Reset()
{
    const size_t b = MacBlockSize(Cipher);
    std::fill_n(State.begin(), b, uint8_t{0});
    Count = 0;
    if (!SubkeysHold()) {
        Kept = MakeSubkeys();
        SubkeyCipher = Cipher;
        SubkeyVersion = Cipher->KeyVersion;
    }
}

// A full block is kept in Buffer until more data arrives: only Final knows whether it is the
// last one, which takes the K1 path instead of plain chaining.
void Cmac::Update(const uint8_t* data, size_t len)
{
    const size_t b = MacBlockSize(Cipher);
    if (Count > 0 && len > b - Count) {
        const size_t fill = b - Count;
        std::copy_n(data, fill, Buffer.begin() + Count);
        for (size_t i = 0; i < b; ++i)
            State[i] ^= Buffer[i];
        Cipher->Encrypt(State.data());
        Count = 0;
        data += fill;
        len -= fill;
    }
    for (; len > b; data += b, len -= b) {
        for (size_t i = 0; i < b; ++i)
            State[i] ^= data[i];
        Cipher->Encrypt(State.data());
    }
    std::copy_n(data, len, Buffer.begin() + Count);
    Count += static_cast<uint32_t>(len);
}

void Cmac::Final(uint8_t* out) const
{
    const size_t b = MacBlockSize(Cipher);
    const Subkeys k = SubkeysHold() ? Kept : MakeSubkeys();
    if (Count == b) {
        for (size_t i = 0; i < b; ++i)
            out[i] = State[i] ^ Buffer[i] ^ k[0][i];
    } else {
        for (size_t i = 0; i < b; ++i) {
            const uint8_t padded = i < Count ? Buffer[i] : i == Count ? 0x80 : 0x00;
            out[i] = State[i] ^ padded ^ k[1][i];
        }
    }
    Cipher->Encrypt(out);
}

bool SameSignature(const uint8_t* a, const uint8_t* b, size_t n)
{
    // Volatile reads keep the compiler from turning the loop back into one that stops early.
    const volatile uint8_t* va = a;
    const volatile uint8_t* vb = b;
    uint8_t diff = 0;
    for (size_t i = 0; i < n; ++i)
        diff |= va[i] ^ vb[i];
    return diff == 0;
}

AES128 SharedAes128;
Cmac SharedCmac{&SharedAes128};

}  // namespace quor
