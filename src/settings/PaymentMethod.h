#pragma once

#include <QString>

// One row of the settings database's AUTO_NUM table: a payment method.
struct PaymentMethod
{
    qint64 id = 0; // the row's own number; changes and deletions address it
    QString text;
};
