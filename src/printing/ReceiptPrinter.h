#pragma once

#include "printing/PaperLayout.h"

#include <QString>

class QWidget;
struct AppSettings;
struct ReceiptData;
struct ReceiptStyle;
struct ReceiptSwitches;
struct ShopRow;

// One receipt as one document "收款收据" of one page on a
// named printer, followed by the print-finished notice when that is on. The
// sales window prints through it, and so does the query window's reprint
// after filling ReceiptData from a stored sale.
class ReceiptPrinter
{
public:
    ReceiptPrinter(AppSettings &settings, ShopRow &shop, QWidget *parent);
    virtual ~ReceiptPrinter() = default;

    static QString documentName() { return QStringLiteral("收款收据"); }
    static QString noPrinterMessage()
    {
        return QStringLiteral("获取打印机失败，请确认打印机硬件及驱动程序是否已安装好！");
    }
    static QString failedMessage()
    {
        return QStringLiteral("打印失败，请检查打印机是否正常后重新打印！");
    }

    // A sale's own receipt may open the cash drawer; a copy or a reprint never does.
    enum class Purpose
    {
        Reprint,
        NewSale
    };

    // Prints DATA on PRINTERNAME, or on the default printer when no printer of
    // that name exists. SWITCHES are the sales window's as they stand. A raw
    // queue gets the receipt as an ESC/POS picture. Failures are shown;
    // returns whether the receipt went to a printer.
    virtual bool printReceiptJob(const ReceiptData &data, const ReceiptSwitches &switches,
                                 const QString &printerName, Purpose purpose = Purpose::Reprint);

    // Any other paper of the roll (the day-end report) on PRINTERNAME, the
    // same way as a reprint: the drawer stays shut. LAYOUT is called with the
    // printer's device.
    bool printPaper(const PaperLayout &layout, const QString &printerName);

    // The printer the last job went to (empty when none could be had).
    QString lastPrinter() const { return m_lastPrinter; }
    // Whether the last job carried the cash-drawer pulse.
    bool drawerOpened() const { return m_drawerOpened; }

protected:
    AppSettings &m_settings;
    ShopRow &m_shop;
    QWidget *m_parent;
    bool m_drawerOpened = false;

private:
    bool print(const PaperLayout &layout, const QString &printerName, Purpose purpose);
    bool printDriven(const PaperLayout &layout);
    bool printRaw(const PaperLayout &layout, Purpose purpose);
    void showFinishedNotice();

    QString m_lastPrinter;
};
