#pragma once

#include "aes128.h"

// AES-128-GCM through OpenSSL's EVP interface. Keeps nothing between calls:
// each call creates and frees its own cipher context.
class CAes128Gcm : public CAes128
{
public:
    static constexpr int KeySize = 16;
    static constexpr int NonceSize = 12;
    static constexpr int TagSize = 16;

    // Status of a call that succeeded; every failure is negative.
    static constexpr int StatusOk = 1;
    static constexpr int StatusFailed = -1;

    int encrypt(const unsigned char *input, int inputSize,
                const unsigned char *key, const unsigned char *nonce,
                const unsigned char *aad, int aadSize,
                unsigned char *output, unsigned char *tag) const override;
    int decrypt(const unsigned char *input, int inputSize,
                const unsigned char *key, const unsigned char *nonce,
                const unsigned char *aad, int aadSize,
                const unsigned char *tag, unsigned char *output) const override;
};
