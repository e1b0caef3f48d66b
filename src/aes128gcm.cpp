#include "aes128gcm.h"

#include <QLoggingCategory>

#include <openssl/err.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <memory>

Q_LOGGING_CATEGORY(lcAes, "trackora.aes")

namespace {

struct ContextFree
{
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_CIPHER_CTX, ContextFree>;

// Logs the failed call with OpenSSL's reason, or with ours when its error
// queue is empty (a tag mismatch leaves nothing there).
int fail(const char *call, const char *reason = nullptr)
{
    const unsigned long code = ERR_get_error();
    char text[256] = {};
    if (code != 0)
        ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    qCWarning(lcAes, "%s failed: %s", call, code != 0 ? text : (reason ? reason : "unknown error"));
    return CAes128Gcm::StatusFailed;
}

bool argumentsValid(const unsigned char *input, int inputSize, const unsigned char *key,
                    const unsigned char *nonce, const unsigned char *aad, int aadSize,
                    const unsigned char *output, const unsigned char *tag)
{
    return key && nonce && tag && inputSize >= 0 && aadSize >= 0
        && (inputSize == 0 || (input && output)) && (aadSize == 0 || aad);
}

} // namespace

int CAes128Gcm::encrypt(const unsigned char *input, int inputSize,
                        const unsigned char *key, const unsigned char *nonce,
                        const unsigned char *aad, int aadSize,
                        unsigned char *output, unsigned char *tag) const
{
    if (!argumentsValid(input, inputSize, key, nonce, aad, aadSize, output, tag))
        return fail("CAes128Gcm::encrypt", "invalid arguments");
    Context context(EVP_CIPHER_CTX_new());
    if (!context)
        return fail("EVP_CIPHER_CTX_new");
    // Cipher first, then the nonce length, then key and nonce.
    if (EVP_EncryptInit_ex(context.get(), EVP_aes_128_gcm(), nullptr, nullptr, nullptr) != 1)
        return fail("EVP_EncryptInit_ex");
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, NonceSize, nullptr) != 1)
        return fail("EVP_CIPHER_CTX_ctrl(EVP_CTRL_GCM_SET_IVLEN)");
    if (EVP_EncryptInit_ex(context.get(), nullptr, nullptr, key, nonce) != 1)
        return fail("EVP_EncryptInit_ex");
    int written = 0;
    if (aadSize > 0 && EVP_EncryptUpdate(context.get(), nullptr, &written, aad, aadSize) != 1)
        return fail("EVP_EncryptUpdate(aad)");
    if (inputSize > 0 && EVP_EncryptUpdate(context.get(), output, &written, input, inputSize) != 1)
        return fail("EVP_EncryptUpdate");
    // GCM is a stream mode: Final writes no bytes, it only completes the tag.
    unsigned char rest[16];
    if (EVP_EncryptFinal_ex(context.get(), rest, &written) != 1)
        return fail("EVP_EncryptFinal_ex");
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, TagSize, tag) != 1)
        return fail("EVP_CIPHER_CTX_ctrl(EVP_CTRL_GCM_GET_TAG)");
    return StatusOk;
}

int CAes128Gcm::decrypt(const unsigned char *input, int inputSize,
                        const unsigned char *key, const unsigned char *nonce,
                        const unsigned char *aad, int aadSize,
                        const unsigned char *tag, unsigned char *output) const
{
    if (!argumentsValid(input, inputSize, key, nonce, aad, aadSize, output, tag))
        return fail("CAes128Gcm::decrypt", "invalid arguments");
    Context context(EVP_CIPHER_CTX_new());
    if (!context)
        return fail("EVP_CIPHER_CTX_new");
    if (EVP_DecryptInit_ex(context.get(), EVP_aes_128_gcm(), nullptr, nullptr, nullptr) != 1)
        return fail("EVP_DecryptInit_ex");
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, NonceSize, nullptr) != 1)
        return fail("EVP_CIPHER_CTX_ctrl(EVP_CTRL_GCM_SET_IVLEN)");
    if (EVP_DecryptInit_ex(context.get(), nullptr, nullptr, key, nonce) != 1)
        return fail("EVP_DecryptInit_ex");
    int written = 0;
    if (aadSize > 0 && EVP_DecryptUpdate(context.get(), nullptr, &written, aad, aadSize) != 1)
        return fail("EVP_DecryptUpdate(aad)");
    if (inputSize > 0 && EVP_DecryptUpdate(context.get(), output, &written, input, inputSize) != 1)
        return fail("EVP_DecryptUpdate");
    // OpenSSL takes a non-const tag pointer but only reads it here.
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, TagSize,
                            const_cast<unsigned char *>(tag)) != 1)
        return fail("EVP_CIPHER_CTX_ctrl(EVP_CTRL_GCM_SET_TAG)");
    unsigned char rest[16];
    if (EVP_DecryptFinal_ex(context.get(), rest, &written) != 1) {
        // Unauthenticated plaintext must not reach the caller.
        if (inputSize > 0)
            OPENSSL_cleanse(output, size_t(inputSize));
        return fail("EVP_DecryptFinal_ex", "authentication tag mismatch");
    }
    return StatusOk;
}
