#include "users/PasswordHash.h"

#include "data/DatabaseError.h"

#include <sodium.h>

#include <stdexcept>

namespace {

PasswordHash::Cost &currentCost()
{
    static PasswordHash::Cost cost = PasswordHash::interactiveCost();
    return cost;
}

void initialiseSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw DatabaseError(QStringLiteral("无法初始化密码加密库"));
}

bool samePlainText(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() && sodium_memcmp(a.constData(), b.constData(), a.size()) == 0;
}

} // namespace

PasswordHash::Cost PasswordHash::interactiveCost()
{
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

PasswordHash::Cost PasswordHash::minimalCost()
{
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

void PasswordHash::setCost(Cost cost)
{
    currentCost() = cost;
}

PasswordHash::Cost PasswordHash::cost()
{
    return currentCost();
}

bool PasswordHash::isHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) ||
           stored.startsWith(QLatin1String("$argon2i$"));
}

QString PasswordHash::hash(const QString &password)
{
    initialiseSodium();
    const QByteArray plain = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const Cost cost = currentCost();
    if (crypto_pwhash_str(out, plain.constData(), static_cast<unsigned long long>(plain.size()),
                          cost.opsLimit, cost.memLimit) != 0)
        throw DatabaseError(QStringLiteral("内存不足，无法加密密码"));
    return QString::fromLatin1(out);
}

PasswordHash::Match PasswordHash::check(const QString &entered, const QString &stored)
{
    initialiseSodium();
    const QByteArray plain = entered.toUtf8();
    if (!isHash(stored))
        return samePlainText(plain, stored.toUtf8()) ? Match::YesStoreAgain : Match::No;

    const QByteArray hashText = stored.toLatin1();
    if (crypto_pwhash_str_verify(hashText.constData(), plain.constData(),
                                 static_cast<unsigned long long>(plain.size())) != 0)
        return Match::No;
    const Cost cost = currentCost();
    const bool older =
        !stored.startsWith(QLatin1String("$argon2id$")) ||
        crypto_pwhash_str_needs_rehash(hashText.constData(), cost.opsLimit, cost.memLimit) != 0;
    return older ? Match::YesStoreAgain : Match::Yes;
}
