#pragma once

#include <QDialog>

#include <memory>

struct AppSettings;

namespace Ui {
class AddUserDialog;
}

// "添加新用户": ends with Accepted once the new user is stored.
class AddUserDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddUserDialog(const AppSettings &settings, QWidget *parent = nullptr);
    ~AddUserDialog() override;

private:
    void add();
    void showPowerInfo();

    const AppSettings &m_settings;
    std::unique_ptr<Ui::AddUserDialog> m_ui;
};
