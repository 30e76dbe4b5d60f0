#pragma once

#include <QString>

class Database;

// The login row of USER_SET (id 1): the last user who logged in, that user's
// power and whether the next start skips the login dialog.
class LoginRow
{
public:
    static void store(Database &db, const QString &name, const QString &power, bool directLogin);
    static void cancelDirectLogin(Database &db);
};
