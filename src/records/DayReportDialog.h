#pragma once

#include "printing/ReceiptSheet.h"
#include "printing/ReceiptStyle.h"
#include "records/DayReportPaper.h"

#include <QDialog>

#include <memory>

class HoverButton;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
struct AppSettings;
struct ShopRow;

// "日结报表": the day-end report of the sales the query window lists, shown
// on printer 1's paper as it will print, with its print button. Printing goes
// the receipts' way (driver or raw queue, receipt-length page) and never
// opens the cash drawer.
class DayReportDialog : public QDialog
{
    Q_OBJECT

public:
    DayReportDialog(AppSettings &settings, ShopRow &shop, const DayReportPaper &paper,
                    const ReceiptStyle &style, const ReceiptSheet &sheet,
                    QWidget *parent = nullptr);
    ~DayReportDialog() override;

    const DayReportPaper &paper() const { return m_paper; }
    const ReceiptSheet &sheet() const { return m_sheet; }
    QPrintPreviewWidget *preview() const { return m_preview; }
    HoverButton *printButton() const { return m_print; }
    // Whether the report went to the printer.
    bool printed() const { return m_printed; }

private:
    void print();

    AppSettings &m_settings;
    ShopRow &m_shop;
    DayReportPaper m_paper;
    ReceiptStyle m_style;
    ReceiptSheet m_sheet;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_preview = nullptr;
    HoverButton *m_print = nullptr;
    bool m_printed = false;
};
