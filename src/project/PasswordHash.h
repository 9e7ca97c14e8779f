#pragma once

#include <QString>

// Password storage: argon2id hashes in libsodium's self-describing text form ("$argon2id$v=19$..."),
// so the cost settings travel with each hash and can be raised later without breaking old rows.
class TPasswordHash
{
public:
    // The hash of `text` (UTF-8), salted afresh on every call. Raises EDatabaseError when the machine
    // cannot spare the memory the hash needs.
    static QString Hash(const QString& text);
    // True when `stored` is a hash of `text`.
    static bool Verify(const QString& stored, const QString& text);
    // True when `stored` has the form of a hash rather than a password kept as typed.
    static bool IsHash(const QString& stored);
    // True when `stored` was made with other cost settings than Hash uses now.
    static bool NeedsRehash(const QString& stored);
};
