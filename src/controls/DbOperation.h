#pragma once

#include "controls/Prompt.h"
#include "data/Database.h"
#include "data/DatabaseError.h"

#include <functional>

class QWidget;

// A window's database work. A database error abandons the rest of an
// operation and is shown as what failed and what to do, then the driver's
// text; the program goes on. Both return false then.
class DbOperation
{
public:
    static bool run(QWidget *parent, const std::function<void()> &operation)
    {
        try {
            operation();
            return true;
        } catch (const DatabaseError &error) {
            Prompt::error(parent, error.personText());
            return false;
        }
    }

    // Opens DSN on DB, or tells "不能打开数据库" (and for a server where it
    // was looked for) over PARENT.
    static bool open(Database &db, const QString &dsn, QWidget *parent)
    {
        if (db.open(dsn))
            return true;
        Prompt::info(parent, db.openFailureMessage());
        return false;
    }
};
