// What a login costs with the program's own password hashing: hashing a new
// password (add, modify, first login of a plain password) and checking one.
#include "BenchLine.h"
#include "users/PasswordHash.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    const QString password = QStringLiteral("收银员 pass 1234");
    QString stored;
    const double hashMs = medianMs(9, [&] { stored = PasswordHash::hash(password); });
    const double checkMs = medianMs(9, [&] { (void)PasswordHash::check(password, stored); });
    const double plainMs = medianMs(
        9, [&] { (void)PasswordHash::check(password, QStringLiteral("收银员 pass 1234")); });
    benchLine("login_password_hash_argon2id", hashMs);
    benchLine("login_password_check_hash", checkMs);
    benchLine("login_password_check_plain", plainMs);
    return 0;
}
