#include "printing/ReceiptPrinters.h"

#include "printing/CupsLibrary.h"

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

int ReceiptPrinters::nativeDpi(const QString &name)
{
    const CupsLibrary *cups = CupsLibrary::get();
    if (!cups)
        return 0;
    const QByteArray queue = name.toUtf8();
    cups_dest_t *dest = cups->getNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t *info = cups->copyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        ipp_attribute_t *attr =
            cups->findDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
        if (attr) {
            int yres = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            const int xres = cups->getResolution(attr, 0, &yres, &units);
            dpi = units == IPP_RES_PER_CM ? qRound(xres * 2.54) : xres;
        }
        cups->freeDestInfo(info);
    }
    cups->freeDests(1, dest);
    return dpi;
}
