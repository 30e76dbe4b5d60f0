#pragma once

#include <QString>

#include <cstddef>

// Passwords are kept as salted argon2id hash strings. A stored value that is
// not such a string comes from an older installation that kept passwords in
// plain text; it is still accepted, and the caller stores it again hashed.
class PasswordHash
{
public:
    enum class Match
    {
        No,
        Yes,
        YesStoreAgain, // right, but the stored value is plain text or of an older cost
    };

    struct Cost
    {
        unsigned long long opsLimit;
        std::size_t memLimit;
    };

    // The one place where an entered password is compared with a stored one.
    static Match check(const QString &entered, const QString &stored);

    // A new hash string of PASSWORD with the current cost. Throws DatabaseError
    // when the hash cannot be computed (out of memory), so that the operation
    // that wanted it is abandoned with a message.
    static QString hash(const QString &password);

    static bool isHash(const QString &stored);

    // The program uses libsodium's interactive cost; the tests lower it.
    static Cost interactiveCost();
    static Cost minimalCost();
    static void setCost(Cost cost);
    static Cost cost();
};
