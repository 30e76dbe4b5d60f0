#pragma once

#include "controls/ControlLock.h"

#include <QWidget>

#include <memory>

class QDateTime;
struct SaleHeader;

namespace Ui {
class SaleHeaderPanel;
}

// The sales window's header: shop name, receipt number, time, customer,
// phone, cashier and payment method, with the check boxes that switch some of
// them on. It shows a SaleHeader (all but the remark and the cash switch,
// which the side panel shows) and reports what the person does.
class SaleHeaderPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SaleHeaderPanel(QWidget *parent = nullptr);
    ~SaleHeaderPanel() override;

    void showHeader(const SaleHeader &header);
    // Takes the fields into HEADER.
    void take(SaleHeader &header) const;

    void showNumber(const QString &number);
    QString number() const;
    bool numberHasFocus() const;
    void showTime(const QDateTime &time);
    bool timeEditable() const;
    void stepTime(int steps);
    // The time steps by the wheel while it has the focus.
    QWidget *wheelField() const;
    void showCustomer(const QString &customer);
    void showPhone(const QString &phone);

    void setLists(const QStringList &cashiers, const QStringList &customers,
                  const QStringList &phones, const QStringList &payments);
    // An administrator may change the receipt number and the cashier.
    void setAdministrator(bool administrator);
    void setLocked(bool locked);
    QList<QWidget *> tabOrder() const;

signals:
    void timeEditSwitched(bool on);
    void customerSwitched(bool on);
    void phoneSwitched(bool on);
    void paymentSwitched(bool on);
    // Typed (not shown) into the customer or phone box, or chosen from its list.
    void customerEdited(const QString &text);
    void customerChosen(const QString &text);
    void phoneEdited(const QString &text);
    void phoneChosen(const QString &text);
    void customersClicked();
    void paymentMethodsClicked();

private:
    void connectFields();

    std::unique_ptr<Ui::SaleHeaderPanel> ui;
    ControlLock m_lock;
    bool m_showing = false; // the header is being given values: nothing is reported
};
