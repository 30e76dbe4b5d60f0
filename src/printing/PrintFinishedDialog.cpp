#include "printing/PrintFinishedDialog.h"

#include "ui_PrintFinishedDialog.h"

#include "controls/DbOperation.h"
#include "controls/SalesIcons.h"
#include "data/Database.h"
#include "data/ShopRow.h"

PrintFinishedDialog::PrintFinishedDialog(ShopRow &shop, const QString &settingsDsn,
                                         QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintFinishedDialog>()), m_shop(shop),
      m_settingsDsn(settingsDsn)
{
    m_ui->setupUi(this);
    // The program's own receipt picture, as the login and sales windows show it.
    setWindowIcon(SalesIcons::window());
    m_ui->iconLabel->setPixmap(SalesIcons::window().pixmap(iconSize));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->dontRemindBox, &QCheckBox::clicked, this, &PrintFinishedDialog::storeNotice);
}

PrintFinishedDialog::~PrintFinishedDialog() = default;

void PrintFinishedDialog::storeNotice(bool dontRemind)
{
    m_shop.finishedNotice = !dontRemind;
    Database db;
    if (!DbOperation::open(db, m_settingsDsn, this))
        return;
    DbOperation::run(this, [&] { ShopRow::storeFinishedNotice(db, m_shop.finishedNotice); });
}
