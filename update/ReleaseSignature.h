#pragma once

#include <QByteArray>
#include <QString>

// The detached Ed25519 signature (libsodium) that a release carries beside the
// program file. A downloaded program is installed only when its signature
// checks against the public key built into this program; the matching secret
// key never leaves the release machine (scripts/torvane-sign).
namespace releaseSignature {

inline constexpr int kPublicKeyBytes = 32;
inline constexpr int kSecretKeyBytes = 64;
inline constexpr int kSignatureBytes = 64;

// The public key of Torvane's releases.
QByteArray releaseKey();

// True only for a signature of exactly these bytes by the holder of the
// secret key of publicKey; a key or signature of the wrong length is false.
bool verify(const QByteArray& data, const QByteArray& signature, const QByteArray& publicKey);

struct KeyPair {
    QByteArray publicKey;
    QByteArray secretKey;
};
KeyPair generate();
// An empty result when the secret key has the wrong length.
QByteArray sign(const QByteArray& data, const QByteArray& secretKey);

} // namespace releaseSignature
