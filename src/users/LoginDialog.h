#pragma once

#include <QDialog>

#include <functional>
#include <memory>

struct AppSettings;

namespace Ui {
class LoginDialog;
}

// The login dialog of start-up. A successful login stores the login row, sets
// the current user and ends the dialog with Accepted; the caller then runs the
// sales window. "退出(&X)" ends it with Rejected.
//
// When the settings database cannot be reached (a database server that is
// down), the reason is shown once and the dialog offers "重试(&R)"; "登录(&L)"
// tries the connection again as well. Once it answers, the user list is
// filled and logging in goes on; no restart is needed.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(AppSettings &settings, QWidget *parent = nullptr);
    ~LoginDialog() override;

    static QColor backgroundColour() { return {222, 241, 254}; }
    static QColor hintColour() { return {0, 0, 255}; }
    static QString offlineHint() { return QStringLiteral("[未连接到数据库，请检查后点“重试”]"); }

    // Run when the database answers again after it could not be reached, before
    // the user list is filled (start-up reads the settings it could not read).
    void setOnReconnect(std::function<void()> reload) { m_onReconnect = std::move(reload); }
    bool isConnected() const { return m_connected; }

private:
    void applyColours();
    // False (after the message) when the settings database cannot be opened.
    bool fillUserNames();
    void showConnected(bool connected);
    bool retry();
    void logIn();
    void storeLogin(const QString &name, const QString &power);

    AppSettings &m_settings;
    std::unique_ptr<Ui::LoginDialog> m_ui;
    std::function<void()> m_onReconnect;
    QString m_hint;
    bool m_connected = false;
};
