#pragma once

#include <QDialog>

#include <memory>

struct AppSettings;

namespace Ui {
class LoginDialog;
}

// The login dialog of start-up. A successful login stores the login row, sets
// the current user and ends the dialog with Accepted; the caller then runs the
// sales window. "退出(&X)" ends it with Rejected.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(AppSettings &settings, QWidget *parent = nullptr);
    ~LoginDialog() override;

    static QColor backgroundColour() { return {222, 241, 254}; }
    static QColor hintColour() { return {0, 0, 255}; }

private:
    void applyColours();
    void fillUserNames();
    void logIn();
    void storeLogin(const QString &name, const QString &power);

    AppSettings &m_settings;
    std::unique_ptr<Ui::LoginDialog> m_ui;
};
