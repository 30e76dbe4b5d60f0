#include "settings/ProductDialog.h"
#include "ui_ProductDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/OptionsRow.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductImport.h"

#include <QRegularExpressionValidator>

namespace {

QString attention()
{
    return QStringLiteral("注意");
}

} // namespace

ProductDialog::ProductDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::ProductDialog>()),
      m_modify(false)
{
    setUp();
}

ProductDialog::ProductDialog(AppSettings &settings, const Product &product, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::ProductDialog>()),
      m_modify(true), m_opening(product)
{
    setUp();
}

ProductDialog::~ProductDialog() = default;

void ProductDialog::setUp()
{
    m_ui->setupUi(this);
    if (m_modify) {
        setWindowTitle(QStringLiteral("修改名称"));
        m_ui->okButton->setText(QStringLiteral("修改(&M)"));
    }
    m_ui->codeEdit->setText(m_opening.code());
    m_ui->nameEdit->setText(m_opening.name());
    m_ui->priceEdit->setText(m_opening.price);
    // Digits, the decimal point and the minus sign only.
    m_ui->priceEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.\\-]*")), m_ui->priceEdit));
    m_ui->showCodeBox->setChecked(m_settings.showProductCode);
    m_ui->nameEdit->setFocus();

    connect(m_ui->showCodeBox, &QCheckBox::clicked, this, &ProductDialog::storeShowCode);
    connect(m_ui->okButton, &QPushButton::clicked, this, &ProductDialog::save);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ProductDialog::storeShowCode(bool on)
{
    m_settings.showProductCode = on;
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    DbOperation::run(this, [&] { OptionsRow::storeShowProductCode(db, on); });
}

void ProductDialog::save()
{
    // A name of blanks would be a blank line on the receipt; blanks around a
    // code or name are never kept.
    const QString code = m_ui->codeEdit->text().trimmed();
    const QString name = m_ui->nameEdit->text().trimmed();
    const QString price = m_ui->priceEdit->text();
    if (name.isEmpty()) {
        Prompt::warn(this, QStringLiteral("名称不能为空!"), attention());
        m_ui->nameEdit->setFocus();
        return;
    }
    // The field takes digits, points and minus signs in any order; "3..5"
    // would be sold at 3.00. An empty price stays allowed: none is filled in.
    if (!price.isEmpty() && ProductImport::priceText(price).isEmpty()) {
        Prompt::warn(this, QStringLiteral("单价“%1”不是数字!").arg(price), attention());
        m_ui->priceEdit->setFocus();
        return;
    }
    const QString text = Product::join(code, name);
    if (m_modify && code == m_opening.code() && name == m_opening.name() &&
        price == m_opening.price) {
        done(Unchanged);
        return;
    }
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    bool exists = false;
    const bool written = DbOperation::run(this, [&] {
        ProductCatalogue catalogue(db);
        if (m_modify) {
            // As before, a modify does not look for duplicates.
            catalogue.change(m_opening.id, text, price);
        } else if (catalogue.contains(text)) {
            exists = true;
        } else {
            catalogue.add(text, price);
        }
    });
    if (exists) {
        Prompt::warn(this, QStringLiteral("此项已存在!"), attention());
        m_ui->nameEdit->setFocus();
        return;
    }
    if (!written)
        return;
    m_result = {m_opening.id, text, price};
    accept();
}
