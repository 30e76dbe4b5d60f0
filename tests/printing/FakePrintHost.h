#pragma once

// A stand-in for the sales window: hands out a sale, records which steps of
// the print flow ran, and holds a settings connection like the window does.
#include "data/Database.h"
#include "printing/PrintHost.h"
#include "printing/ReceiptData.h"
#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptSample.h"
#include "support/TestEnv.h"

#include <QStringList>
#include <QWidget>

class FakePrintHost : public PrintHost
{
public:
    explicit FakePrintHost(TestEnv &env)
    {
        m_window.setWindowTitle(QStringLiteral("QuillmarchV3.5.1 —— 收银员：admin（管理员）"));
        m_settingsDb.open(env.settings().settingsDsn);
        sale = ReceiptSample::sale();
    }

    QWidget *window() override { return &m_window; }
    Database &settingsDatabase() override { return m_settingsDb; }
    int saleLineCount() const override { return int(sale.lines.size()); }
    SaleSnapshot takeSale() override
    {
        calls << "take";
        return sale;
    }
    bool saveSaleRecord() override
    {
        calls << "save";
        return saveSucceeds;
    }
    void resetRemark() override
    {
        calls << "resetRemark";
        sale.remark = defaultRemark;
    }
    bool consumeReceiptNumber() override
    {
        calls << "consume";
        return consumeSucceeds;
    }
    void startNextSale() override
    {
        calls << "finish";
        sale.lines.clear();
    }

    SaleSnapshot sale;
    QStringList calls;
    bool saveSucceeds = true;
    bool consumeSucceeds = true;
    QString defaultRemark = QStringLiteral("谢谢惠顾，欢迎再次光临！");

private:
    QWidget m_window;
    Database m_settingsDb;
};

// The print job with the printer replaced by a record of what it was given.
class RecordingPrinter : public ReceiptPrinter
{
public:
    using ReceiptPrinter::ReceiptPrinter;

    struct Job
    {
        QString printer;
        QString remark;
        QString number;
        bool discountSwitch = false;
        Purpose purpose = Purpose::Reprint;
    };

    bool printReceiptJob(const ReceiptData &data, const ReceiptSwitches &switches,
                         const QString &printerName, Purpose purpose) override
    {
        jobs.append({printerName, data.remark, data.receiptNumber, switches.discount, purpose});
        m_drawerOpened = purpose == Purpose::NewSale && drawerPrinters.contains(printerName);
        return true;
    }

    QList<Job> jobs;
    QStringList drawerPrinters; // printers with a cash drawer to open

    QStringList printers() const
    {
        QStringList names;
        for (const Job &job : jobs)
            names << job.printer;
        return names;
    }
};
