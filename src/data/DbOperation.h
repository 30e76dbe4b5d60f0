#pragma once

#include "core/Prompt.h"
#include "data/DatabaseError.h"

#include <functional>

class QWidget;

// Runs one database operation. A database error abandons the rest of it and is
// shown as what failed and what to do, then the driver's text; the program
// goes on. Returns false then.
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
};
