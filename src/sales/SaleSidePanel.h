#pragma once

#include "controls/ControlLock.h"

#include <QWidget>

#include <memory>

namespace Ui {
class SaleSidePanel;
}

// The sales window's side: the remark, cash received and change, and the
// buttons that finish the sale or open other windows.
class SaleSidePanel : public QWidget
{
    Q_OBJECT

public:
    explicit SaleSidePanel(QWidget *parent = nullptr);
    ~SaleSidePanel() override;

    void showRemark(const QString &remark);
    QString remark() const;
    void setCashChecked(bool on);
    bool isCashChecked() const;
    void showCash(const QString &cash, const QString &change);
    // Only an administrator may save a sale without printing it.
    void setAdministrator(bool administrator);
    void setLocked(bool locked);

    // In the window's tab order the cash, change and remark come after the
    // sale lines, the buttons after the header.
    QList<QWidget *> fieldsTabOrder() const;
    QList<QWidget *> buttonsTabOrder() const;

signals:
    // Typed (not shown) into the cash box, or chosen from its list.
    void cashEdited(const QString &text);
    void cashSwitched(bool on);
    void saveOnlyClicked();
    void printClicked();
    void previewClicked();
    void queryClicked();
    void settingsClicked();
    void aboutClicked();
    void calculatorClicked();

private:
    void connectControls();

    std::unique_ptr<Ui::SaleSidePanel> ui;
    ControlLock m_lock;
    bool m_showing = false; // the cash is being shown: nothing is reported
};
