#include "printing/ReceiptPrinters.h"

#include <QPrinterInfo>

QStringList ReceiptPrinters::names()
{
    QStringList list = QPrinterInfo::availablePrinterNames();
    list.sort();
    return list;
}

QString ReceiptPrinters::defaultName()
{
    return QPrinterInfo::defaultPrinterName();
}

bool ReceiptPrinters::exists(const QString &name)
{
    return !name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull();
}

QString ReceiptPrinters::resolve(const QString &name)
{
    if (exists(name))
        return name;
    const QString fallback = defaultName();
    return exists(fallback) ? fallback : QString();
}
