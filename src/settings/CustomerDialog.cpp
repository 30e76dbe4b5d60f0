#include "settings/CustomerDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "settings/CatalogueListLook.h"
#include "ui_CustomerDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

const QString kCaution = QStringLiteral("注意");

bool isEnterKey(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CustomerDialog::CustomerDialog(const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CustomerDialog>()), m_dsn(settings.settingsDsn)
{
    m_ui->setupUi(this);
    setUpList();
    m_ui->nameEdit->installEventFilter(this);
    m_ui->searchNameEdit->installEventFilter(this);
    m_ui->searchPhoneEdit->installEventFilter(this);

    connect(m_ui->list, &SortableList::rowClicked, this, &CustomerDialog::copyClickedRow);
    connect(m_ui->addButton, &QPushButton::clicked, this, &CustomerDialog::add);
    connect(m_ui->changeButton, &QPushButton::clicked, this, &CustomerDialog::change);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &CustomerDialog::remove);
    connect(m_ui->searchButton, &QPushButton::clicked, this, &CustomerDialog::search);
    fill();
}

CustomerDialog::~CustomerDialog() = default;

QString CustomerDialog::customerName() const
{
    return m_ui->nameEdit->toPlainText();
}

void CustomerDialog::closeEvent(QCloseEvent *event)
{
    // Only the close box gets here (Esc rejects without a close event).
    if (isVisible())
        done(m_changed ? Accepted : Rejected);
    event->accept();
}

bool CustomerDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (isEnterKey(event)) {
        // Enter in the name field adds, as anywhere else in the window; in the
        // search fields it searches.
        if (watched == m_ui->nameEdit) {
            m_ui->addButton->click();
            return true;
        }
        if (watched == m_ui->searchNameEdit || watched == m_ui->searchPhoneEdit) {
            m_ui->searchButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CustomerDialog::setUpList()
{
    SortableList *list = m_ui->list;
    CatalogueListLook::apply(list);
    list->setColumns({{QStringLiteral("序号"), 39},
                      {QStringLiteral("客户(点击排序)"), 150},
                      {QStringLiteral("电话"), 100}});
}

void CustomerDialog::fill()
{
    m_ui->list->clear();
    m_shown.clear();
    onDatabase([&](Database &db) { m_shown = CustomerBook(db).find(m_search); });

    QList<QStringList> rows;
    rows.reserve(m_shown.size());
    for (int i = 0; i < m_shown.size(); ++i)
        rows.append({QString::number(i + 1), m_shown[i].name, m_shown[i].phone});
    m_ui->list->setRows(rows);
}

void CustomerDialog::copyClickedRow()
{
    const int row = firstSelectedRow();
    if (row < 0)
        return;
    const Customer customer = customerAt(row);
    m_ui->nameEdit->setPlainText(customer.name);
    m_ui->phoneEdit->setText(customer.phone);
}

void CustomerDialog::add()
{
    const QString name = m_ui->nameEdit->toPlainText();
    const QString phone = m_ui->phoneEdit->text();
    if (CustomerBook::isBlank(name)) {
        Prompt::warn(this, QStringLiteral("客户名不能为空!"), kCaution);
        return;
    }
    bool added = false;
    const bool done = onDatabase([&](Database &db) {
        CustomerBook book(db);
        if (book.contains(name)) {
            Prompt::warn(this, QStringLiteral("此项已存在!"), kCaution);
            return;
        }
        book.add(name, phone);
        added = true;
    });
    if (!done || !added)
        return;
    m_changed = true;
    fill();
}

void CustomerDialog::change()
{
    const int row = firstSelectedRow();
    if (row < 0) {
        Prompt::warn(this, QStringLiteral("请选择需要修改的项!"), kCaution);
        return;
    }
    const Customer old = customerAt(row);
    const QString name = m_ui->nameEdit->toPlainText();
    const QString phone = m_ui->phoneEdit->text();
    if (CustomerBook::isBlank(name)) {
        Prompt::warn(this, QStringLiteral("名目不能为空!"), kCaution);
    } else {
        // A name that another customer already has is accepted here.
        if (!onDatabase([&](Database &db) { CustomerBook(db).change(old.id, name, phone); }))
            return;
        m_changed = true;
        fill();
    }
    m_ui->list->setFocus();
    markRow(row);
}

void CustomerDialog::remove()
{
    int row = firstSelectedRow();
    if (row < 0) {
        Prompt::warn(this, QStringLiteral("请选择需要删除的项!"), kCaution);
        return;
    }
    const Customer customer = customerAt(row);
    const Prompt::Answer answer = Prompt::instance().ask(
        this, QStringLiteral("确定要删除<") + customer.name + QStringLiteral(">记录吗?"),
        QStringLiteral("确认"), Prompt::Icon::NoIcon, Prompt::Buttons::OkCancel);
    if (answer == Prompt::Answer::Ok) {
        if (!onDatabase([&](Database &db) { CustomerBook(db).remove(customer.id); }))
            return;
        m_changed = true;
        fill();
    }
    markRow(std::min(row, m_ui->list->rowCount() - 1));
    m_ui->nameEdit->clear();
}

void CustomerDialog::search()
{
    m_search = {m_ui->searchNameEdit->text(), m_ui->searchPhoneEdit->text()};
    fill();
}

int CustomerDialog::firstSelectedRow() const
{
    const QList<int> rows = m_ui->list->selectedRows();
    return rows.isEmpty() ? -1 : *std::min_element(rows.begin(), rows.end());
}

Customer CustomerDialog::customerAt(int row) const
{
    const qint64 index = m_ui->list->itemData(row);
    return index >= 0 && index < m_shown.size() ? m_shown[index] : Customer{};
}

void CustomerDialog::markRow(int row)
{
    if (row >= 0 && row < m_ui->list->rowCount())
        m_ui->list->selectOnly(row);
}

bool CustomerDialog::onDatabase(const std::function<void(Database &)> &operation)
{
    Database db;
    if (!DbOperation::open(db, m_dsn, this))
        return false;
    return DbOperation::run(this, [&] { operation(db); });
}
