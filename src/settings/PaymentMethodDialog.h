#pragma once

#include "settings/PaymentMethod.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

class Database;
struct AppSettings;

namespace Ui {
class PaymentMethodDialog;
}

// The payment-methods window: lists, adds, changes and deletes the methods of
// the sales window's payment-method box. Every change is written at once; the
// sales window reloads its box after every run (PaymentMethods::loadWithDefault).
class PaymentMethodDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PaymentMethodDialog(const AppSettings &settings, QWidget *parent = nullptr);
    ~PaymentMethodDialog() override;

private:
    void setUpList();
    void fill();
    void copyClickedRow();
    void add();
    void change();
    void remove();

    int firstSelectedRow() const;
    PaymentMethod methodAt(int row) const;
    void markRow(int row);
    bool onDatabase(const std::function<void(Database &)> &operation);

    std::unique_ptr<Ui::PaymentMethodDialog> m_ui;
    QString m_dsn;
    QList<PaymentMethod> m_shown; // indexed by the rows' item data
};
