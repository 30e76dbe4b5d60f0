#include "printing/PrinterSelectDialog.h"

#include "ui_PrinterSelectDialog.h"

#include "app/AppSettings.h"
#include "app/Prompt.h"
#include "data/Database.h"
#include "data/DbOperation.h"
#include "printing/ReceiptPrinters.h"
#include "printing/ShopPrintSettings.h"

namespace {

// The entry equal to NAME, else the one equal to the default printer, else none.
void select(QComboBox *box, const QString &name, const QString &defaultPrinter)
{
    int index = box->findText(name, Qt::MatchExactly);
    if (index < 0)
        index = box->findText(defaultPrinter, Qt::MatchExactly);
    box->setCurrentIndex(index);
}

} // namespace

PrinterSelectDialog::PrinterSelectDialog(AppSettings &settings, ShopPrintSettings &shop,
                                         QWidget *parent, const QStringList &printers,
                                         const QString &defaultPrinter)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrinterSelectDialog>()), m_settings(settings),
      m_shop(shop)
{
    m_ui->setupUi(this);
    m_ui->printer2Check->setChecked(m_settings.usePrinter2);
    m_ui->printer2Box->setEnabled(m_settings.usePrinter2);
    const bool system = printers.isEmpty() && defaultPrinter.isEmpty();
    fill(system ? ReceiptPrinters::names() : printers,
         system ? ReceiptPrinters::defaultName() : defaultPrinter);

    connect(m_ui->printer2Check, &QCheckBox::clicked, m_ui->printer2Box, &QWidget::setEnabled);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &PrinterSelectDialog::save);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

PrinterSelectDialog::~PrinterSelectDialog() = default;

void PrinterSelectDialog::fill(const QStringList &printers, const QString &defaultPrinter)
{
    QStringList sorted = printers;
    sorted.sort();
    sorted.removeDuplicates();
    m_ui->printer1Box->addItems(sorted);
    m_ui->printer2Box->addItems(sorted);
    select(m_ui->printer1Box, m_shop.printer1Name, defaultPrinter);
    select(m_ui->printer2Box, m_settings.printer2Name, defaultPrinter);
}

void PrinterSelectDialog::save()
{
    m_shop.printer1Name = m_ui->printer1Box->currentText();
    m_settings.printer2Name = m_ui->printer2Box->currentText();
    const bool usePrinter2 = m_ui->printer2Check->isChecked();

    Database db;
    if (!db.openOrWarn(m_settings.settingsDsn, this))
        return;
    const bool stored = DbOperation::run(this, [&] {
        db.exec(QStringLiteral("update \"INFO\" set \"set4\"=? where \"id\"=?"),
                {m_shop.printer1Name, QStringLiteral("1")});
        db.exec(QStringLiteral(
                    "update \"USER_SET\" set \"set5\"=?, \"set6\"=? where \"directLogin\"=6"),
                {m_settings.printer2Name, usePrinter2 ? QStringLiteral("1") : QStringLiteral("0")});
        m_settings.usePrinter2 = usePrinter2;
    });
    if (stored)
        Prompt::info(this, savedMessage(), QStringLiteral("提示"));
}
