#pragma once

#include "settings/Product.h"
#include "settings/ProductImport.h"

#include <QWidget>

#include <functional>
#include <memory>

struct AppSettings;
class Database;
class SortableList;

namespace Ui {
class ProductPage;
}

// The product page of the settings window: the remembered products with
// their prices, adding, changing and deleting them (administrators only), the
// "自动记忆商品信息" switch, and the catalogue exported to and imported from a
// spreadsheet file (everybody). The rows carry their product ids.
class ProductPage : public QWidget
{
    Q_OBJECT
public:
    explicit ProductPage(AppSettings &settings, QWidget *parent = nullptr);
    ~ProductPage() override;

    SortableList *list() const;

private:
    void setUpList();
    void fill();
    Product productAt(int row) const;
    void selectRow(int row);

    void add();
    void modify();
    void remove();
    void switchMemory(bool on);
    void exportProducts();
    void importProducts();
    // Asks before the catalogue is replaced by what RESULT read.
    bool replaceConfirmed(const ProductImport::Result &result);
    // Opens the settings database for one operation; false when it could not
    // be opened (the message has been shown) or a statement failed.
    bool onDatabase(const std::function<void(Database &)> &operation);

    AppSettings &m_settings;
    std::unique_ptr<Ui::ProductPage> m_ui;
};
