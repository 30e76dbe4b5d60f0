#include "settings/PaymentMethodDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "settings/CatalogueListLook.h"
#include "settings/PaymentMethods.h"
#include "ui_PaymentMethodDialog.h"

#include <algorithm>

namespace {

const QString kCaution = QStringLiteral("注意");

} // namespace

PaymentMethodDialog::PaymentMethodDialog(const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PaymentMethodDialog>()),
      m_dsn(settings.settingsDsn)
{
    m_ui->setupUi(this);
    setUpList();

    connect(m_ui->list, &SortableList::rowClicked, this, &PaymentMethodDialog::copyClickedRow);
    connect(m_ui->addButton, &QPushButton::clicked, this, &PaymentMethodDialog::add);
    connect(m_ui->changeButton, &QPushButton::clicked, this, &PaymentMethodDialog::change);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &PaymentMethodDialog::remove);
    fill();
}

PaymentMethodDialog::~PaymentMethodDialog() = default;

void PaymentMethodDialog::setUpList()
{
    CatalogueListLook::apply(m_ui->list);
    m_ui->list->setColumns({{QStringLiteral("序号"), 50}, {QStringLiteral("付款方式"), 150}});
}

void PaymentMethodDialog::fill()
{
    m_ui->list->clear();
    m_shown.clear();
    onDatabase([&](Database &db) { m_shown = PaymentMethods(db).all(); });

    QList<QStringList> rows;
    rows.reserve(m_shown.size());
    for (int i = 0; i < m_shown.size(); ++i)
        rows.append({QString::number(i + 1), m_shown[i].text});
    m_ui->list->setRows(rows);
}

void PaymentMethodDialog::copyClickedRow()
{
    const int row = firstSelectedRow();
    if (row >= 0)
        m_ui->methodEdit->setText(methodAt(row).text);
}

void PaymentMethodDialog::add()
{
    const QString text = m_ui->methodEdit->text();
    if (PaymentMethods::isBlank(text)) {
        Prompt::warn(this, QStringLiteral("付款方式不能为空!"), kCaution);
        return;
    }
    bool added = false;
    const bool done = onDatabase([&](Database &db) {
        PaymentMethods methods(db);
        if (methods.contains(text)) {
            Prompt::warn(this, QStringLiteral("此项已存在!"), kCaution);
            return;
        }
        methods.add(text);
        added = true;
    });
    if (done && added)
        fill();
}

void PaymentMethodDialog::change()
{
    const int row = firstSelectedRow();
    if (row < 0) {
        Prompt::warn(this, QStringLiteral("请选择需要修改的项!"), kCaution);
        return;
    }
    const PaymentMethod old = methodAt(row);
    const QString text = m_ui->methodEdit->text();
    if (PaymentMethods::isBlank(text)) {
        Prompt::warn(this, QStringLiteral("付款方式不能为空!"), kCaution);
    } else {
        // The selected row counts too, so an unchanged text is refused.
        bool changed = false;
        const bool done = onDatabase([&](Database &db) {
            PaymentMethods methods(db);
            if (methods.contains(text)) {
                Prompt::warn(this, QStringLiteral("此项已存在!"), kCaution);
                return;
            }
            methods.change(old.id, text);
            changed = true;
        });
        if (!done || !changed)
            return;
        fill();
    }
    m_ui->list->setFocus();
    markRow(row);
}

void PaymentMethodDialog::remove()
{
    const int row = firstSelectedRow();
    if (row < 0) {
        Prompt::warn(this, QStringLiteral("请选择需要删除的项!"), kCaution);
        return;
    }
    const PaymentMethod method = methodAt(row);
    const Prompt::Answer answer = Prompt::instance().ask(
        this, QStringLiteral("确定要删除<") + method.text + QStringLiteral(">记录吗?"),
        QStringLiteral("确认"), Prompt::Icon::NoIcon, Prompt::Buttons::OkCancel);
    if (answer == Prompt::Answer::Ok) {
        if (!onDatabase([&](Database &db) { PaymentMethods(db).remove(method.id); }))
            return;
        fill();
    }
    markRow(std::min(row, m_ui->list->rowCount() - 1));
    m_ui->methodEdit->clear();
}

int PaymentMethodDialog::firstSelectedRow() const
{
    const QList<int> rows = m_ui->list->selectedRows();
    return rows.isEmpty() ? -1 : *std::min_element(rows.begin(), rows.end());
}

PaymentMethod PaymentMethodDialog::methodAt(int row) const
{
    const qint64 index = m_ui->list->itemData(row);
    return index >= 0 && index < m_shown.size() ? m_shown[index] : PaymentMethod{};
}

void PaymentMethodDialog::markRow(int row)
{
    if (row >= 0 && row < m_ui->list->rowCount())
        m_ui->list->selectOnly(row);
}

bool PaymentMethodDialog::onDatabase(const std::function<void(Database &)> &operation)
{
    Database db;
    if (!DbOperation::open(db, m_dsn, this))
        return false;
    return DbOperation::run(this, [&] { operation(db); });
}
