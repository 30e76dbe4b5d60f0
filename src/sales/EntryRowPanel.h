#pragma once

#include "controls/ControlLock.h"
#include "sales/SaleEntry.h"

#include <QWidget>

#include <memory>

namespace Ui {
class EntryRowPanel;
}

// The sales window's entry row: name, quantity, price, amount, discount and
// discounted amount of the line being entered, and the buttons that add,
// modify and delete lines. It shows an EntryRow and reports what the person
// types; the number fields take only numbers.
class EntryRowPanel : public QWidget
{
    Q_OBJECT

public:
    using Field = SaleEntry::Field;

    explicit EntryRowPanel(QWidget *parent = nullptr);
    ~EntryRowPanel() override;

    void showEntry(const EntryRow &entry);
    // The discount's check box, and the fields and button it switches on.
    void setDiscountEnabled(bool on);
    // The name box's list, filled again; or only the products added since.
    void setProducts(const QStringList &products);
    void addNewProducts(const QStringList &products);
    void setModifyEnabled(bool enabled);
    void setDeleteEnabled(bool enabled);

    void focusField(Field field);
    Field focusedField() const;
    bool fieldHasFocus(Field field) const;
    // The fields the wheel steps while they have the focus.
    QList<QWidget *> wheelFields() const;

    void setLocked(bool locked);
    QList<QWidget *> tabOrder() const;

signals:
    // Text typed into FIELD (not text the row was given to show).
    void edited(SaleEntry::Field field, const QString &text);
    void productChosen(const QString &name);
    void discountChosen(const QString &text);
    void discountSwitched(bool on);
    void roundOffClicked();
    void addClicked();
    void modifyClicked();
    void deleteClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectFields();
    QWidget *fieldWidget(Field field) const;
    bool isNumberField(QObject *watched) const;

    std::unique_ptr<Ui::EntryRowPanel> ui;
    ControlLock m_lock;
    bool m_showing = false; // the row is being given values: nothing is reported
};
