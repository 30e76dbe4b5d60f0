#include "printing/PrintFinishedDialog.h"

#include "ui_PrintFinishedDialog.h"

#include "data/Database.h"
#include "data/DbOperation.h"
#include "printing/ShopPrintSettings.h"

#include <QStyle>

PrintFinishedDialog::PrintFinishedDialog(ShopPrintSettings &shop, const QString &settingsDsn,
                                         QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintFinishedDialog>()), m_shop(shop),
      m_settingsDsn(settingsDsn)
{
    m_ui->setupUi(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_ui->iconLabel->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(size));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->dontRemindBox, &QCheckBox::clicked, this, &PrintFinishedDialog::storeNotice);
}

PrintFinishedDialog::~PrintFinishedDialog() = default;

void PrintFinishedDialog::storeNotice(bool dontRemind)
{
    m_shop.finishedNotice = !dontRemind;
    Database db;
    if (!db.openOrWarn(m_settingsDsn, this))
        return;
    DbOperation::run(this, [&] {
        db.exec(QStringLiteral("update \"INFO\" set \"remark2\"=? where \"id\"=?"),
                {m_shop.finishedNotice ? QStringLiteral("1") : QStringLiteral("0"),
                 QStringLiteral("1")});
    });
}
