#include "project/PasswordHash.h"

#include "data/DbError.h"

#include <sodium.h>

using namespace Qt::StringLiterals;

namespace {

// The interactive limits: a login answers within a fraction of a second and the tests stay quick,
// while a stolen table still costs an attacker 64 MiB and several passes per guess.
constexpr unsigned long long OpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t MemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

void ensureSodium()
{
    // sodium_init is safe to call again, but its answer only needs reading once.
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw EDatabaseError(u"密码库初始化失败."_s);
}

} // namespace

QString TPasswordHash::Hash(const QString& text)
{
    ensureSodium();
    const QByteArray password = text.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.constData(), static_cast<unsigned long long>(password.size()), OpsLimit,
                          MemLimit) != 0)
        throw EDatabaseError(u"内存不足, 无法生成密码摘要."_s);
    return QString::fromLatin1(out);
}

bool TPasswordHash::Verify(const QString& stored, const QString& text)
{
    if (!IsHash(stored))
        return false;
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray password = text.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), password.constData(),
                                    static_cast<unsigned long long>(password.size())) == 0;
}

bool TPasswordHash::IsHash(const QString& stored)
{
    // crypto_pwhash_STRBYTES includes the terminating zero
    return stored.startsWith(u"$argon2"_s) && stored.size() < qsizetype(crypto_pwhash_STRBYTES);
}

bool TPasswordHash::NeedsRehash(const QString& stored)
{
    if (!IsHash(stored))
        return true;
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(hash.constData(), OpsLimit, MemLimit) != 0;
}
