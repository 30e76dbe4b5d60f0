#include "sales/SalesDialog.h"

#include "ui_SalesDialog.h"

#include "controls/AutoCompleteCombo.h"
#include "controls/HoverButton.h"
#include "controls/SalesIcons.h"
#include "controls/SortableList.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "sales/SaleLine.h"

#include "data/DbOperation.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCollator>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>

// The controls that start other windows; which window each one opens is
// decided by the program's wiring (SalesWindows, see app/SalesWindows.cpp).

void SalesDialog::previewReceipt()
{
    if (m_windows.preview)
        m_windows.preview(*this);
}

void SalesDialog::openSettings()
{
    if (!m_windows.settings)
        return;
    pull();
    const SaleHeader &header = m_session.header();
    SettingsHandover texts{header.shopName, header.remark, header.number};
    m_windows.settings(this, texts);
    m_session.takeBackFromSettings(texts.shopName, texts.remark, texts.receiptNumber);
    m_session.reloadShopInfo(this);
    m_session.reloadCashiers(this);
    push();
    m_session.reloadProducts(this);
    pushLists();
    ui->productBox->setFocus();
    relabelColumns();
}

void SalesDialog::openCustomers()
{
    if (!m_windows.customers)
        return;
    QString lastCustomer;
    if (!m_windows.customers(this, lastCustomer))
        return;
    m_session.reloadCustomers(this);
    pushLists();
    m_pushing = true;
    m_session.header().customer = lastCustomer;
    setText(ui->customerBox, lastCustomer);
    m_pushing = false;
}

void SalesDialog::openPaymentMethods()
{
    if (!m_windows.paymentMethods)
        return;
    m_windows.paymentMethods(this);
    m_session.reloadPaymentMethods(this);
    pushLists();
}

void SalesDialog::openQuery()
{
    if (!m_windows.query)
        return;
    m_session.closeRecords();
    m_windows.query(*this);
    if (!m_ending && m_session.reopenRecords(this))
        ui->productBox->setFocus();
}

void SalesDialog::openAbout()
{
    if (m_windows.about)
        m_windows.about(*this);
}

void SalesDialog::openHelp()
{
    if (m_windows.help)
        m_windows.help(*this);
}

void SalesDialog::startCalculator()
{
    for (const char *name : {"gnome-calculator", "kcalc", "mate-calc", "galculator", "xcalc"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    Prompt::warn(this, QStringLiteral("没有找到计算器程序，请先安装一个计算器。"));
}
