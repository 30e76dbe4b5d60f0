#pragma once

#include <QWidget>

#include <memory>
#include <optional>

struct AppSettings;
class Database;

namespace Ui {
class UsersPage;
}

// The users page of the settings window: the list of accounts and, for
// administrators, adding, changing and deleting them. Anybody may switch off
// direct login.
class UsersPage : public QWidget
{
    Q_OBJECT
public:
    explicit UsersPage(AppSettings &settings, QWidget *parent = nullptr);
    ~UsersPage() override;

    static QColor listColour() { return {135, 215, 215}; }

protected:
    // The add button answers Enter while this page is shown.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void setUpList();
    void fill();
    void selectRow(int row);
    std::optional<int> selectedRow() const;

    void addUser();
    void modifyUser();
    void deleteUser();
    // Shows why NAME (the selected row's user, none without a selection) may not be deleted.
    bool mayDelete(Database &db, const std::optional<QString> &name);
    void cancelDirectLogin();

    AppSettings &m_settings;
    std::unique_ptr<Ui::UsersPage> m_ui;
};
