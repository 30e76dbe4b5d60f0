#pragma once

#include <QString>
#include <QStringList>

// The printers of this computer: the CUPS queues Qt knows.
class ReceiptPrinters
{
public:
    // Every printer name, sorted.
    static QStringList names();
    static QString defaultName();
    static bool exists(const QString &name);
    // The printer a receipt goes to: NAME when such a printer exists, else the
    // default printer (nothing is stored); empty when neither can be had.
    static QString resolve(const QString &name);
};
