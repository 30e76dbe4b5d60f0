#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FontSettingsDialog;
}
struct AppSettings;
struct FontSettings;

// "设置打印字体" (dialog 159): the faces and sizes of the shop name and the
// body, the line spacing and the label language of receipts. Saving changes
// memory and the settings database together and keeps the dialog open.
class FontSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FontSettingsDialog(AppSettings &settings, QWidget *parent = nullptr);
    ~FontSettingsDialog() override;

    static QString savedMessage() { return QStringLiteral("保存成功！"); }

private:
    void display(const FontSettings &fonts);
    void save();

    std::unique_ptr<Ui::FontSettingsDialog> m_ui;
    AppSettings &m_settings;
};
