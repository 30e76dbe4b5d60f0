#include "printing/ReceiptNumberFormatDialog.h"

#include "ui_ReceiptNumberFormatDialog.h"

#include "controls/DbOperation.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "data/Database.h"
#include "printing/ReceiptNumber.h"
#include "printing/ReceiptNumberFormat.h"

#include <QApplication>

namespace {

// An edit that cannot be typed in is shown on the window's colour, so the
// person sees it is not for typing.
void setEditable(QLineEdit *edit, bool editable)
{
    edit->setReadOnly(!editable);
    const QPalette normal = QApplication::palette(edit);
    QPalette palette = edit->palette();
    palette.setBrush(QPalette::Base, editable ? normal.base() : normal.window());
    edit->setPalette(palette);
}

} // namespace

ReceiptNumberFormatDialog::ReceiptNumberFormatDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReceiptNumberFormatDialog>()),
      m_settings(settings), m_today(Clock::now().date())
{
    m_ui->setupUi(this);
    load();
    m_ui->dateEdit->setText(ReceiptNumber::datePrefix(m_today));
    setEditable(m_ui->dateEdit, false);
    setEditable(m_ui->customEdit, m_ui->customCheck->isChecked());

    connect(m_ui->customCheck, &QCheckBox::toggled, this,
            [this](bool on) { setEditable(m_ui->customEdit, on); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &ReceiptNumberFormatDialog::store);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ReceiptNumberFormatDialog::~ReceiptNumberFormatDialog() = default;

void ReceiptNumberFormatDialog::load()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        const ReceiptNumberFormat format = ReceiptNumberFormat::load(db);
        m_ui->customCheck->setChecked(format.useCustom);
        m_ui->dateCheck->setChecked(format.useDate);
        m_ui->customEdit->setText(format.custom);
    });
}

void ReceiptNumberFormatDialog::store()
{
    ReceiptNumberFormat format;
    format.useCustom = m_ui->customCheck->isChecked();
    format.useDate = m_ui->dateCheck->isChecked();
    format.custom = m_ui->customEdit->text();

    // The prefix changes only once the choice is stored, so that the next
    // start of the program numbers the same way.
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    if (!DbOperation::run(this, [&] { format.store(db); }))
        return;
    m_settings.receiptPrefix = format.prefix(m_today);
    accept();
}
