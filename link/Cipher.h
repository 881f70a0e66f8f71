#pragma once
// AES (FIPS-197) and CMAC (NIST SP 800-38B), byte-oriented and table-driven.

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
};

// Compares n bytes of two frame signatures without an early exit, so the time taken does not
// tell a forger how many leading bytes of a guess were right.
bool SameSignature(const uint8_t* a, const uint8_t* b, size_t n);

// The one cipher and the one MAC of the program; each user loads its key first.
extern AES128 SharedAes128;
extern Cmac SharedCmac;

}  // namespace quor
