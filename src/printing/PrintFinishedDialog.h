#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PrintFinishedDialog;
}
struct ShopRow;

// The notice after a receipt was printed (dialog 152). "不再提醒" turns the
// notice off at once, in memory and in the settings database.
class PrintFinishedDialog : public QDialog
{
    Q_OBJECT

public:
    PrintFinishedDialog(ShopRow &shop, const QString &settingsDsn,
                        QWidget *parent = nullptr);
    ~PrintFinishedDialog() override;

    static constexpr int iconSize = 32;

private:
    void storeNotice(bool dontRemind);

    std::unique_ptr<Ui::PrintFinishedDialog> m_ui;
    ShopRow &m_shop;
    QString m_settingsDsn;
};
