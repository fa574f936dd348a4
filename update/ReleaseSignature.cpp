#include "ReleaseSignature.h"

#include <sodium.h>

#include <stdexcept>

namespace releaseSignature {

namespace {

void ready() {
    // Safe to call more than once; below 0 the library cannot be used at all.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

const unsigned char* bytes(const QByteArray& data) {
    return reinterpret_cast<const unsigned char*>(data.constData());
}

unsigned char* bytes(QByteArray& data) {
    return reinterpret_cast<unsigned char*>(data.data());
}

// Made by "torvane-sign --new-key"; the secret half is kept off this repository.
constexpr unsigned char kReleaseKey[kPublicKeyBytes] = {
    0x37, 0x34, 0xc7, 0xeb, 0x23, 0x7a, 0x90, 0xf6, 0xe4, 0x02, 0xaa, 0x50, 0x6d, 0x4d, 0x19, 0xe6,
    0x83, 0x98, 0xa3, 0x04, 0x47, 0x6d, 0x98, 0x7f, 0xb4, 0xf5, 0x8b, 0x62, 0x20, 0x88, 0xf7, 0x0e,
};

} // namespace

QByteArray releaseKey() {
    return QByteArray(reinterpret_cast<const char*>(kReleaseKey), kPublicKeyBytes);
}

bool verify(const QByteArray& data, const QByteArray& signature, const QByteArray& publicKey) {
    static_assert(kPublicKeyBytes == crypto_sign_PUBLICKEYBYTES && kSignatureBytes == crypto_sign_BYTES);
    if (signature.size() != kSignatureBytes || publicKey.size() != kPublicKeyBytes)
        return false;
    ready();
    return crypto_sign_verify_detached(bytes(signature), bytes(data), quint64(data.size()), bytes(publicKey)) == 0;
}

KeyPair generate() {
    static_assert(kSecretKeyBytes == crypto_sign_SECRETKEYBYTES);
    ready();
    KeyPair pair{QByteArray(kPublicKeyBytes, '\0'), QByteArray(kSecretKeyBytes, '\0')};
    crypto_sign_keypair(bytes(pair.publicKey), bytes(pair.secretKey));
    return pair;
}

QByteArray sign(const QByteArray& data, const QByteArray& secretKey) {
    if (secretKey.size() != kSecretKeyBytes)
        return QByteArray();
    ready();
    QByteArray signature(kSignatureBytes, '\0');
    crypto_sign_detached(bytes(signature), nullptr, bytes(data), quint64(data.size()), bytes(secretKey));
    return signature;
}

} // namespace releaseSignature
