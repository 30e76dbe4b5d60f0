#pragma once

#include "printing/PrintInfo.h"
#include "data/ShopRow.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PrintInfoPage;
}
struct AppSettings;
struct SettingsHandover;

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
    const ShopRow &shop() const { return m_shop; }

    static QColor hintColour() { return {0, 0, 255}; }

    // Whether the page shows values that "保存设置" has not stored.
    bool hasUnsavedEdits() const { return !(entered() == m_shown); }
    // "保存设置": checks and stores the page's values; false when refused or failed.
    bool save();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void loadShop();
    void display(const PrintInfo &info);
    PrintInfo entered() const;
    void changeNumberFormat();

    std::unique_ptr<Ui::PrintInfoPage> m_ui;
    AppSettings &m_settings;
    SettingsHandover &m_handover;
    ShopRow m_shop;
    PrintInfo m_shown; // as displayed or last saved
    bool m_focused = false;
};
