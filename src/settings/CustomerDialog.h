#pragma once

#include "settings/Customer.h"
#include "settings/CustomerBook.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

class Database;
struct AppSettings;

namespace Ui {
class CustomerDialog;
}

// The customers window: lists, searches, adds, changes and deletes the
// customers that the sales window offers in its customer and phone boxes.
// Closed with its close box after a change reached the database it ends with
// Accepted, so that the sales window reloads its boxes; closed without a
// change, or with Esc, it ends with Rejected.
class CustomerDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CustomerDialog(const AppSettings &settings, QWidget *parent = nullptr);
    ~CustomerDialog() override;

    // The name field as the window left it; the sales window takes it as its customer text.
    QString customerName() const;
    bool changed() const { return m_changed; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpList();
    void fill();
    void copyClickedRow();
    void add();
    void change();
    void remove();
    void search();

    int firstSelectedRow() const;
    Customer customerAt(int row) const;
    void markRow(int row);
    // Opens the settings database for one operation; false when it could not
    // be opened (the message has been shown) or a statement failed.
    bool onDatabase(const std::function<void(Database &)> &operation);

    std::unique_ptr<Ui::CustomerDialog> m_ui;
    QString m_dsn;
    CustomerBook::Search m_search; // stays in force for every later refill
    QList<Customer> m_shown;       // indexed by the rows' item data
    bool m_changed = false;
};
