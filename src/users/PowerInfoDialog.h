#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PowerInfoDialog;
}

// What an ordinary user may not do, opened by "说明" in the user dialogs.
class PowerInfoDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PowerInfoDialog(QWidget *parent = nullptr);
    ~PowerInfoDialog() override;

private:
    std::unique_ptr<Ui::PowerInfoDialog> m_ui;
};
