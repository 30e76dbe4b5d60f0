#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

namespace Ui {
class ReceiptNumberFormatDialog;
}
struct AppSettings;

// "设置销售票号格式": the custom and the date prefix of receipt numbers. OK
// stores the choice and makes the new prefix the program's prefix at once;
// Cancel changes nothing.
class ReceiptNumberFormatDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReceiptNumberFormatDialog(AppSettings &settings, QWidget *parent = nullptr);
    ~ReceiptNumberFormatDialog() override;

private:
    void load();
    void store();

    std::unique_ptr<Ui::ReceiptNumberFormatDialog> m_ui;
    AppSettings &m_settings;
    QDate m_today; // the date shown is the date the prefix takes
};
