#pragma once

#include <QDate>
#include <QString>

class Database;
struct AppSettings;

// Loads the login row and the options row of USER_SET (LoginRow, OptionsRow)
// into AppSettings, creating the options row when it is missing.
class SettingsLoader
{
public:
    // Returns false when the settings database could not be opened or read
    // (a missing table, a read-only file): the message has been shown and
    // every value not read keeps its default.
    enum class Unreachable
    {
        Say,
        // The login dialog that follows says it and offers to try again.
        LeaveToLogin
    };
    static bool load(AppSettings &settings, const QDate &today, const QString &defaultPrinter,
                     Unreachable unreachable = Unreachable::Say);

    // Reads from an open connection; throws DatabaseError.
    static void loadFrom(Database &db, AppSettings &settings, const QDate &today,
                         const QString &defaultPrinter);

    // The message when reading fails: what it means for the user, then the
    // driver's own words.
    static QString failureText(const QString &driverText);

private:
    static void loadLoginRow(Database &db, AppSettings &settings, const QDate &today);
    static void loadOptionsRow(Database &db, AppSettings &settings, const QString &defaultPrinter);
};
