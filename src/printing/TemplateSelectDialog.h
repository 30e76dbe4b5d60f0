#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TemplateSelectDialog;
}
struct AppSettings;
struct ShopRow;

// "选择打印模板" (dialog 165): "模板01#" or "模板02#", with a sample receipt
// of the template selected, drawn by the receipt renderer from a sample sale.
// Saving changes memory and the settings database together.
class TemplateSelectDialog : public QDialog
{
    Q_OBJECT

public:
    TemplateSelectDialog(AppSettings &settings, const ShopRow &shop,
                         QWidget *parent = nullptr);
    ~TemplateSelectDialog() override;

    // The sample as drawn, before it is fitted into the picture.
    const QImage &sample() const { return m_sample; }

private:
    void showSample(int index);
    void save();

    std::unique_ptr<Ui::TemplateSelectDialog> m_ui;
    AppSettings &m_settings;
    const ShopRow &m_shop;
    QImage m_sample;
};
