#pragma once

#include <QDialog>

#include <memory>

struct AppSettings;

namespace Ui {
class ModifyUserDialog;
}

// "修改用户信息" for the user of a list row: new password and power, given the
// old password. Ends with Accepted once the row is updated.
class ModifyUserDialog : public QDialog
{
    Q_OBJECT
public:
    ModifyUserDialog(const AppSettings &settings, const QString &name, const QString &power,
                     QWidget *parent = nullptr);
    ~ModifyUserDialog() override;

private:
    void modify();
    void showPowerInfo();

    const AppSettings &m_settings;
    std::unique_ptr<Ui::ModifyUserDialog> m_ui;
};
