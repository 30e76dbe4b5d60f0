#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LogoSettingsDialog;
}
struct AppSettings;
struct ShopRow;

// "设置打印图标" (dialog 158): the logo printed above the shop name, shown at
// half its size, whether it is printed and its offset, and the import of a
// new logo. Saving changes memory and the settings database together.
class LogoSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    LogoSettingsDialog(AppSettings &settings, ShopRow &shop, QWidget *parent = nullptr);
    ~LogoSettingsDialog() override;

    // The largest picture frame; a bigger logo is shown smaller, in proportion.
    static QSize largestFrame() { return {300, 150}; }

private:
    void showLogo();
    void importLogo();
    void save();

    std::unique_ptr<Ui::LogoSettingsDialog> m_ui;
    AppSettings &m_settings;
    ShopRow &m_shop;
};
