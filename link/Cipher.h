#pragma once
// AES (FIPS-197) and CMAC (NIST SP 800-38B): the key schedule byte by byte, encryption on
// 32-bit columns with round tables, or with the processor's AES instructions where it has them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quor {

class Coder {
public:
    explicit Coder(int blockSize) : BlockSize(blockSize) {}
    virtual ~Coder() = default;
    virtual void Encrypt(uint8_t* block) const = 0;
    virtual void Decrypt(uint8_t* block) const = 0;

    int32_t BlockSize;
    // Changes with every key loaded, so that a MAC can keep what it derives from the key.
    uint32_t KeyVersion = 0;
};

class AES : public Coder {
public:
    AES(int nk, int nr) : Coder(16), Nk(nk), Nr(nr) {}
    void SetKey(const uint8_t* key);  // Nk * 4 bytes
    void Encrypt(uint8_t* block) const override;
    void Decrypt(uint8_t* block) const override;

    int32_t Nk;
    int32_t Nr;
    std::array<uint8_t, 240> RoundKeys{};
    // Encrypts with the round tables even where the processor has AES instructions, so that
    // the tests reach both ways.
    bool TablesOnly = false;

private:
    // The shape RoundKeys was expanded for; 0 before the first key.
    int32_t ScheduledNk = 0;
    int32_t ScheduledNr = 0;
};

class AES128 : public AES {
public:
    AES128() : AES(4, 10) {}
};

class Cmac {
public:
    explicit Cmac(Coder* cipher) : Cipher(cipher) {}
    void Reset();
    void Update(const uint8_t* data, size_t len);
    void Final(uint8_t* out) const;  // BlockSize bytes: the full tag

    Coder* Cipher;
    uint32_t Count = 0;
    std::array<uint8_t, 16> Buffer{};
    std::array<uint8_t, 16> State{};

private:
    // The subkeys K1 and K2 for the last block, made from the cipher of the zero block; Reset
    // keeps them for the cipher and key they were made with.
    using Subkeys = std::array<std::array<uint8_t, 16>, 2>;
    Subkeys MakeSubkeys() const;
    bool SubkeysHold() const { return SubkeyCipher == Cipher && SubkeyVersion == Cipher->KeyVersion; }
    Subkeys Kept{};
    const Coder* SubkeyCipher = nullptr;
    uint32_t SubkeyVersion = 0;
};

// Whether the processor offers the AES instructions the cipher uses where it can.
bool CpuHasAes();

// Compares n bytes of two frame signatures without an early exit, so the time taken does not
// tell a forger how many leading bytes of a guess were right.
bool SameSignature(const uint8_t* a, const uint8_t* b, size_t n);

// The one cipher and the one MAC of the program; each user loads its key first.
extern AES128 SharedAes128;
extern Cmac SharedCmac;

}  // namespace quor
