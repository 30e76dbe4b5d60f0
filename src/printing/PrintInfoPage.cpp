#include "printing/PrintInfoPage.h"

#include "ui_PrintInfoPage.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/FontSettingsDialog.h"
#include "printing/LogoSettingsDialog.h"
#include "printing/PrintInfo.h"
#include "printing/PrintMargins.h"
#include "printing/PrinterSelectDialog.h"
#include "printing/ReceiptNumberFormat.h"
#include "printing/ReceiptNumberFormatDialog.h"
#include "printing/ReceiptPage.h"
#include "printing/ReceiptPrinters.h"
#include "printing/SettingsHandover.h"
#include "printing/TemplateSelectDialog.h"
#include "printing/WholeNumberValidator.h"

PrintInfoPage::PrintInfoPage(AppSettings &settings, SettingsHandover &handover, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::PrintInfoPage>()), m_settings(settings),
      m_handover(handover)
{
    m_ui->setupUi(this);
    for (QLabel *hint : {m_ui->shopNameHint, m_ui->remarkHint, m_ui->marginHint, m_ui->offsetHint,
                         m_ui->paperLengthHint}) {
        QPalette palette = hint->palette();
        palette.setColor(QPalette::WindowText, hintColour());
        hint->setPalette(palette);
    }
    for (QLineEdit *edit : {m_ui->marginEdit, m_ui->offsetEdit, m_ui->paperLengthEdit})
        edit->setValidator(new WholeNumberValidator(edit));
    // The number is changed through the number format; the sales window shows it.
    m_ui->numberLabel->hide();
    m_ui->numberEdit->hide();

    loadShop();
    display(PrintInfo::from(m_shop, m_settings, m_handover.shopName, m_handover.remark));
    m_ui->numberEdit->setText(m_handover.receiptNumber);
    if (!m_settings.isAdministrator()) {
        // An ordinary user may not stop sales from being recorded.
        m_ui->saveCheck->setChecked(true);
        m_ui->saveCheck->setEnabled(false);
    }
    m_shown = entered();

    connect(m_ui->saveButton, &QPushButton::clicked, this, &PrintInfoPage::save);
    connect(m_ui->numberFormatButton, &QPushButton::clicked, this,
            &PrintInfoPage::changeNumberFormat);
    connect(m_ui->fontButton, &QPushButton::clicked, this, [this] {
        FontSettingsDialog dialog(m_settings, this);
        ModalDialogs::run(dialog);
    });
    connect(m_ui->templateButton, &QPushButton::clicked, this, [this] {
        TemplateSelectDialog dialog(m_settings, m_shop, this);
        ModalDialogs::run(dialog);
    });
    connect(m_ui->logoButton, &QPushButton::clicked, this, [this] {
        LogoSettingsDialog dialog(m_settings, m_shop, this);
        ModalDialogs::run(dialog);
    });
    connect(m_ui->printerButton, &QPushButton::clicked, this, [this] {
        PrinterSelectDialog dialog(m_settings, m_shop, this);
        ModalDialogs::run(dialog);
    });
}

PrintInfoPage::~PrintInfoPage() = default;

void PrintInfoPage::loadShop()
{
    m_shop.shopName = m_handover.shopName;
    m_shop.defaultRemark = m_handover.remark;
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] { m_shop = ShopRow::read(db); });
    m_shop.shopName = m_handover.shopName;
    m_shop.defaultRemark = m_handover.remark;
}

void PrintInfoPage::display(const PrintInfo &info)
{
    m_ui->shopNameEdit->setText(info.shopName);
    m_ui->remarkEdit->setPlainText(info.remark);
    m_ui->saveCheck->setChecked(info.saveOnPrint);
    m_ui->noticeCheck->setChecked(info.finishedNotice);
    m_ui->secondCopyCheck->setChecked(info.secondCopy);
    m_ui->showPriceCheck->setChecked(info.showPrice);
    m_ui->marginEdit->setText(info.margin);
    m_ui->offsetEdit->setText(info.offset);
    m_ui->paperLengthEdit->setText(info.paperLengthAdjust);
}

PrintInfo PrintInfoPage::entered() const
{
    PrintInfo info;
    info.shopName = m_ui->shopNameEdit->text();
    info.remark = m_ui->remarkEdit->toPlainText();
    info.saveOnPrint = m_ui->saveCheck->isChecked() || !m_settings.isAdministrator();
    info.finishedNotice = m_ui->noticeCheck->isChecked();
    info.secondCopy = m_ui->secondCopyCheck->isChecked();
    info.showPrice = m_ui->showPriceCheck->isChecked();
    info.margin = m_ui->marginEdit->text();
    info.offset = m_ui->offsetEdit->text();
    info.paperLengthAdjust = m_ui->paperLengthEdit->text();
    return info;
}

bool PrintInfoPage::save()
{
    const PrintInfo info = entered();
    if (!info.shopNameFits()) {
        Prompt::warn(this, QStringLiteral("请将店名字数控制在16字以内！"), QStringLiteral("注意"));
        m_ui->shopNameEdit->setFocus();
        return false;
    }
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return false;
    // Margins that would put the text off the printer's paper are not stored.
    PrintMargins::Paper paper;
    if (!DbOperation::run(this, [&] {
            paper = ReceiptPage::paper(ReceiptPrinters::resolve(m_shop.printer1Name), db);
        }))
        return false;
    const QString refused = PrintMargins::check(info.margin, info.offset, paper);
    if (!refused.isEmpty()) {
        Prompt::warn(this, refused, QStringLiteral("注意"));
        m_ui->marginEdit->setFocus();
        return false;
    }
    if (!DbOperation::run(this, [&] { info.store(db); }))
        return false;
    info.apply(m_shop, m_settings);
    m_handover.shopName = info.shopName;
    m_handover.remark = info.remark;
    m_shown = info;
    Prompt::info(this, QStringLiteral("基本信息保存成功！"), QStringLiteral("恭喜"));
    return true;
}

void PrintInfoPage::changeNumberFormat()
{
    const QString oldPrefix = m_settings.receiptPrefix;
    ReceiptNumberFormatDialog dialog(m_settings, this);
    if (ModalDialogs::run(dialog) != QDialog::Accepted)
        return;
    m_handover.receiptNumber = ReceiptNumberFormat::renumber(m_handover.receiptNumber, oldPrefix,
                                                             m_settings.receiptPrefix);
    m_ui->numberEdit->setText(m_handover.receiptNumber);
}

void PrintInfoPage::showEvent(QShowEvent *event)
{
    m_ui->saveButton->setDefault(true);
    if (!m_focused) {
        m_focused = true;
        m_ui->shopNameEdit->setFocus();
    }
    QWidget::showEvent(event);
}

void PrintInfoPage::hideEvent(QHideEvent *event)
{
    m_ui->saveButton->setDefault(false);
    QWidget::hideEvent(event);
}
