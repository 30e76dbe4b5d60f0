#pragma once

#include "settings/Product.h"

#include <QDialog>

#include <memory>

struct AppSettings;

namespace Ui {
class ProductDialog;
}

// Adds a product to the catalogue ("添加名称") or changes one row of it
// ("修改名称"): code, name and unit price; the product text is the name, or
// the code, "-" and the name. "打印时显示代码" is stored at once, whichever
// way the dialog is left.
// Ends with Accepted when a row was written, Unchanged when a modify found
// nothing changed, Rejected on "退出(&X)".
class ProductDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Unchanged = 2;

    // Add mode.
    explicit ProductDialog(AppSettings &settings, QWidget *parent = nullptr);
    // Modify mode, on the row PRODUCT.
    ProductDialog(AppSettings &settings, const Product &product, QWidget *parent = nullptr);
    ~ProductDialog() override;

    // The product as written (its id is the row's in modify mode).
    Product product() const { return m_result; }

private:
    void setUp();
    void save();
    void storeShowCode(bool on);

    AppSettings &m_settings;
    std::unique_ptr<Ui::ProductDialog> m_ui;
    bool m_modify;
    Product m_opening;
    Product m_result;
};
