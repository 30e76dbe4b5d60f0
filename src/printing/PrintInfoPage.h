#pragma once

#include "printing/ShopPrintSettings.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PrintInfoPage;
}
struct AppSettings;
struct SettingsHandover;
struct PrintInfo;

// "设置打印信息": the settings window's page of the shop's print information
// (shop name, remark, switches, margins) and the door to the number format,
// font, template, logo and printer dialogs. The shop name, the remark and the
// receipt number are the ones the sales window handed over; the page leaves
// its saved values there for the sales window to take back.
class PrintInfoPage : public QWidget
{
    Q_OBJECT

public:
    PrintInfoPage(AppSettings &settings, SettingsHandover &handover, QWidget *parent = nullptr);
    ~PrintInfoPage() override;

    // The shop's print settings as the page and its dialogs last saved them.
    const ShopPrintSettings &shop() const { return m_shop; }

    static QColor hintColour() { return {0, 0, 255}; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void loadShop();
    void display(const PrintInfo &info);
    PrintInfo entered() const;
    void save();
    void changeNumberFormat();

    std::unique_ptr<Ui::PrintInfoPage> m_ui;
    AppSettings &m_settings;
    SettingsHandover &m_handover;
    ShopPrintSettings m_shop;
    bool m_focused = false;
};
