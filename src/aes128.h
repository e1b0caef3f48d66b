#pragma once

// An AES-128 authenticated cipher with 12-byte nonces and 16-byte tags.
// Implementations are held by value, so the destructor is not virtual.
class CAes128
{
public:
    // Returns a negative status on failure; output is as large as the input.
    virtual int encrypt(const unsigned char *input, int inputSize,
                        const unsigned char *key, const unsigned char *nonce,
                        const unsigned char *aad, int aadSize,
                        unsigned char *output, unsigned char *tag) const = 0;
    // Verifies the tag; a mismatch is a negative status.
    virtual int decrypt(const unsigned char *input, int inputSize,
                        const unsigned char *key, const unsigned char *nonce,
                        const unsigned char *aad, int aadSize,
                        const unsigned char *tag, unsigned char *output) const = 0;

protected:
    CAes128() = default;
    ~CAes128() = default;
};
