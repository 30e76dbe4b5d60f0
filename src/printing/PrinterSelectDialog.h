#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class PrinterSelectDialog;
}
struct AppSettings;
struct ShopPrintSettings;

// "选择打印机设备" (dialog 111): printer 1, and printer 2 with its switch.
// Saving changes memory and the settings database together and keeps the
// dialog open.
class PrinterSelectDialog : public QDialog
{
    Q_OBJECT

public:
    // PRINTERS: the names to offer; by default every printer of the system.
    PrinterSelectDialog(AppSettings &settings, ShopPrintSettings &shop, QWidget *parent = nullptr,
                        const QStringList &printers = {}, const QString &defaultPrinter = {});
    ~PrinterSelectDialog() override;

    static QString savedMessage() { return QStringLiteral("打印机保存成功！"); }

private:
    void fill(const QStringList &printers, const QString &defaultPrinter);
    void save();

    std::unique_ptr<Ui::PrinterSelectDialog> m_ui;
    AppSettings &m_settings;
    ShopPrintSettings &m_shop;
};
