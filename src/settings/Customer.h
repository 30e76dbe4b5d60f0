#pragma once

#include <QString>

// One row of the SALER table: a customer's name and telephone.
struct Customer
{
    qint64 id = 0; // the row's own number; changes and deletions address it
    QString name;
    QString phone;
};
