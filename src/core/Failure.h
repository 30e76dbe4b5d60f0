#pragma once

#include <QString>

// What went wrong in an operation, in the words the person reads: the logic
// hands it back, and the window shows it (an error or only a notice, under
// its caption; an empty caption is the program's title).
struct Failure
{
    enum class Weight
    {
        Error,
        Notice
    };

    QString text;
    Weight weight = Weight::Error;
    QString caption;
};
