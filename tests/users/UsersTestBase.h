#pragma once

#include "data/Database.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"
#include "users/PasswordHash.h"

#include <gtest/gtest.h>

// A private program folder per test, with hashing at its lowest cost so that
// the many hashes of these tests stay fast.
class UsersTest : public ::testing::Test
{
protected:
    UsersTest() { PasswordHash::setCost(PasswordHash::minimalCost()); }
    ~UsersTest() override { PasswordHash::setCost(PasswordHash::interactiveCost()); }

    AppSettings &settings() { return m_env.settings(); }
    ScriptedPrompt &prompt() { return m_env.prompt(); }

    // A fresh connection to the test's settings database.
    Database &db()
    {
        if (!m_db.isOpen())
            m_db.open(m_env.settings().settingsDsn);
        return m_db;
    }

    QString storedCode(const QString &name)
    {
        return db().scalar(QStringLiteral("select \"code\" from \"USER\" where \"name\"=?"),
                           {name});
    }
    QString storedPower(const QString &name)
    {
        return db().scalar(QStringLiteral("select \"power\" from \"USER\" where \"name\"=?"),
                           {name});
    }
    int userCount() { return db().scalar(QStringLiteral("select count(*) from \"USER\"")).toInt(); }
    // Inserts a row the way an older installation stored it: plain password.
    void insertPlain(const QString &name, const QString &code, const QString &power)
    {
        db().exec(QStringLiteral("insert into \"USER\" (\"name\",\"code\",\"power\") "
                                 "values (?,?,?)"),
                  {name, code, power});
    }
    QString loginRowText(const QString &column)
    {
        return db().scalar(
            QStringLiteral("select \"%1\" from \"USER_SET\" where \"id\"=1").arg(column));
    }

    static QString admin() { return AppSettings::administratorPower(); }
    static QString ordinary() { return AppSettings::ordinaryPower(); }

    TestEnv m_env;
    Database m_db;
};
