#pragma once

#include "printing/RawPrinterSetup.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

#include <memory>

class QCheckBox;
class QComboBox;
namespace Ui {
class PrinterSelectDialog;
}
struct AppSettings;
struct ShopRow;

// "选择打印机设备" (dialog 111): printer 1, and printer 2 with its switch.
// A printer without a driver (a raw queue) also gets its roll width and the
// cash-drawer switch. Saving changes memory and the settings database
// together and keeps the dialog open.
class PrinterSelectDialog : public QDialog
{
    Q_OBJECT

public:
    // PRINTERS: the names to offer, RAWPRINTERS those of them without a
    // driver; by default every printer of the system, as CUPS knows them.
    PrinterSelectDialog(AppSettings &settings, ShopRow &shop, QWidget *parent = nullptr,
                        const QStringList &printers = {}, const QString &defaultPrinter = {},
                        const QStringList &rawPrinters = {});
    ~PrinterSelectDialog() override;

    static QString savedMessage() { return QStringLiteral("打印机保存成功！"); }

private:
    void fill(const QStringList &printers, const QString &defaultPrinter);
    void save();

    // The roll and drawer controls of printer 1 (WHICH 0) or printer 2 (1).
    struct RawControls
    {
        QComboBox *printer;
        QComboBox *paper;
        QCheckBox *drawer;
    };
    RawControls rawControls(int which) const;
    void setUpRawControls();
    void loadRawSetups();
    void showRawSetup(int which);
    void takeRawSetup(int which);

    std::unique_ptr<Ui::PrinterSelectDialog> m_ui;
    AppSettings &m_settings;
    ShopRow &m_shop;
    QStringList m_rawPrinters;
    QHash<QString, RawPrinterSetup> m_rawSetups;
};
