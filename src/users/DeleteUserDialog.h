#pragma once

#include <QDialog>

#include <memory>

struct AppSettings;

namespace Ui {
class DeleteUserDialog;
}

// "删除用户：<name>": asks for that user's own password and ends with Accepted
// only when it is right. The caller deletes.
class DeleteUserDialog : public QDialog
{
    Q_OBJECT
public:
    DeleteUserDialog(const AppSettings &settings, const QString &name, QWidget *parent = nullptr);
    ~DeleteUserDialog() override;

    // False when the user could not be read at opening (the reason was shown);
    // the dialog then never accepts.
    bool userFound() const { return m_found; }

private:
    void readStoredPassword(const AppSettings &settings, const QString &name);
    void confirm();

    std::unique_ptr<Ui::DeleteUserDialog> m_ui;
    QString m_stored;
    bool m_found = false;
};
