#include "sales/FinishSale.h"

#include "core/AppSettings.h"
#include "data/DatabaseError.h"
#include "printing/ReceiptNumber.h"
#include "printing/ReceiptOutput.h"
#include "sales/SaleRecord.h"
#include "sales/SalesSession.h"

using Kind = FinishSale::Outcome::Kind;

FinishSale::FinishSale(SalesSession &session, ReceiptOutput *output)
    : m_session(session), m_output(output)
{
}

QString FinishSale::emptySaleMessage()
{
    return QStringLiteral("当前无记录可打印！请先按“添加（Enter）”按钮添加商品记录！");
}

QString FinishSale::nothingToSaveMessage()
{
    return QStringLiteral("当前无记录可保存！请先按“添加（Enter）”按钮添加商品记录！");
}

QString FinishSale::notPrintedMessage(const QString &number)
{
    return QStringLiteral("这笔销售已经保存（单号“%1”），但小票没有打印出来。"
                          "请检查打印机后在“查询统计”中重新打印。")
        .arg(number);
}

QString FinishSale::storedDifferentlyMessage(const QString &number)
{
    return QStringLiteral("单号“%1”下保存的是另一笔销售，与屏幕上的这笔不同！"
                          "这笔销售没有保存，也不会打印小票。请修改单号后再保存，"
                          "并在“查询统计”中核对单号“%1”。")
        .arg(number);
}

// The connection went after the sale was stored: the usual words for a lost
// connection ("nothing was saved") would tell the cashier the opposite.
QString FinishSale::lostAfterStoringMessage(const QString &number)
{
    return QStringLiteral("这笔销售已经保存（单号“%1”）。随后与数据库服务器的连接中断了，"
                          "请检查服务器和网络；下一笔销售在连接恢复后保存。")
        .arg(number);
}

FinishSale::Outcome FinishSale::notStored(const QString &message)
{
    return {Kind::NotStored, message, false, QString()};
}

FinishSale::Outcome FinishSale::print(bool store)
{
    if (m_session.inDoubt())
        return resolve();
    if (m_session.sale().lines().isEmpty())
        return notStored(emptySaleMessage());
    m_session.header().number = m_session.header().number.trimmed();
    SaleRecord sale = m_session.record();
    SaleSnapshot receipt = m_session.snapshot();
    if (!store)
        return printUnstored(receipt);
    return this->store(sale, receipt, true);
}

FinishSale::Outcome FinishSale::saveOnly()
{
    if (m_session.inDoubt())
        return resolve();
    if (m_session.sale().lines().isEmpty())
        return notStored(nothingToSaveMessage());
    m_session.header().number = m_session.header().number.trimmed();
    SaleRecord sale = m_session.record();
    SaleSnapshot receipt = m_session.snapshot();
    return store(sale, receipt, false);
}

// A number the counter gave is taken afresh under the counter's lock, so that
// tills sharing the records never store one number twice; a number typed over
// is stored as it is and the counter moves on all the same.
FinishSale::Outcome FinishSale::store(SaleRecord &sale, SaleSnapshot &receipt, bool printing)
{
    Database &records = m_session.recordsDb();
    const bool fromCounter = m_session.showsCounterNumber();
    SaleStore::Result result = SaleStore::Result::Saved;
    try {
        result = fromCounter ? SaleStore::saveUnderNextNumber(records, sale,
                                                              m_session.settings().receiptPrefix)
                             : SaleStore::saveAndConsume(records, sale);
    } catch (const DatabaseError &error) {
        if (error.kind() != DatabaseError::Kind::CommitInDoubt)
            return notStored(error.personText());
        m_session.setInDoubt({sale, receipt, printing, fromCounter});
        return {Kind::InDoubt, error.personText(), false, sale.number};
    }
    if (result != SaleStore::Result::Saved)
        return refused(result, sale.number);
    return finish(sale, receipt, printing, printing);
}

FinishSale::Outcome FinishSale::refused(SaleStore::Result result, const QString &number)
{
    switch (result) {
    case SaleStore::Result::NumberTaken:
        try {
            return notStored(m_session.moveTakenNumber(number));
        } catch (const DatabaseError &error) {
            return notStored(error.personText());
        }
    case SaleStore::Result::NotFinite:
        return notStored(SaleStore::notFiniteMessage());
    case SaleStore::Result::NoNumber:
        return notStored(SaleStore::noNumberMessage());
    case SaleStore::Result::Saved:
        break;
    }
    return notStored(QString());
}

// With "保存记录" off the receipt is printed and the sale is not stored; it
// still takes its number. A receipt that did not print leaves the sale on
// screen: nothing of it would be left anywhere.
FinishSale::Outcome FinishSale::printUnstored(SaleSnapshot &receipt)
{
    if (!m_output || !m_output->print(receipt))
        return notStored(QString());
    SaleRecord sale = m_session.record();
    QString problem;
    try {
        ReceiptNumber::take(m_session.recordsDb());
    } catch (const DatabaseError &error) {
        problem = error.personText();
    }
    Outcome outcome = finish(sale, receipt, true, false, false);
    outcome.printed = true;
    if (!problem.isEmpty())
        outcome.message = outcome.message.isEmpty() ? problem : problem + u'\n' + outcome.message;
    return outcome;
}

// Resolved under the counter's lock: the transaction in doubt has ended on the
// server by then, one way or the other.
FinishSale::Outcome FinishSale::resolve()
{
    if (!m_session.inDoubt())
        return notStored(QString());
    SalesSession::InDoubt doubt = *m_session.inDoubt();
    SaleStore::Settled settled;
    try {
        settled = SaleStore::settle(m_session.recordsDb(), doubt.sale, doubt.fromCounter,
                                    m_session.settings().receiptPrefix);
    } catch (const DatabaseError &error) {
        // Still unknown (a new attempt may have been cut off as well, under
        // the number it took).
        m_session.setInDoubt(doubt);
        return {Kind::InDoubt, SaleStore::commitInDoubtMessage(), false, doubt.sale.number};
    }
    m_session.clearInDoubt();
    switch (settled.held) {
    case SaleStore::Held::Different:
        return {Kind::StoredDifferently, storedDifferentlyMessage(doubt.sale.number), false,
                doubt.sale.number};
    case SaleStore::Held::Nothing:
        if (settled.result != SaleStore::Result::Saved)
            return refused(settled.result, doubt.sale.number);
        break;
    case SaleStore::Held::Same:
        break;
    }
    return finish(doubt.sale, doubt.receipt, doubt.printing, doubt.printing);
}

// The receipt carries the number and the time the sale was stored under. A
// stored sale leaves the window whatever fails after it. The print key's path
// (PRINTKEY) also puts the default remark back and remembers the payment
// method; "仅保存小票" keeps the remark for the next sale.
FinishSale::Outcome FinishSale::finish(const SaleRecord &sale, SaleSnapshot &receipt, bool printKey,
                                       bool printNow, bool stored)
{
    Outcome outcome{Kind::Finished, QString(), false, sale.number};
    QStringList problems;
    const auto problem = [&](const DatabaseError &error) {
        const QString text = stored && error.kind() == DatabaseError::Kind::ConnectionLost
                                 ? lostAfterStoringMessage(sale.number)
                                 : error.personText();
        if (!problems.contains(text))
            problems << text;
    };
    receipt.receiptNumber = sale.number;
    receipt.time = sale.time;
    if (printNow) {
        outcome.printed = m_output && m_output->print(receipt);
        if (!outcome.printed)
            problems << notPrintedMessage(sale.number);
    }
    if (printKey) {
        m_session.resetRemark();
        try {
            if (receipt.switches.payment)
                m_session.rememberPayment(receipt.payment);
        } catch (const DatabaseError &error) {
            problem(error);
        }
    }
    m_session.sale().clearSale();
    try {
        m_session.readReceiptNumber();
    } catch (const DatabaseError &error) {
        problem(error); // the next save takes the counter's number anyway
    }
    outcome.message = problems.join(u'\n');
    return outcome;
}
