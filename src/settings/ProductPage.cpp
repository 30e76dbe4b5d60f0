#include "settings/ProductPage.h"
#include "ui_ProductPage.h"

#include "controls/DbOperation.h"
#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "data/ShopRow.h"
#include "settings/CatalogueListLook.h"
#include "settings/ProductCatalogue.h"
#include "settings/ProductDialog.h"
#include "settings/ProductImport.h"
#include "spreadsheet/ExportList.h"

#include <QApplication>

namespace {

const int TextColumn = 1;
const int PriceColumn = 2;

QString attention()
{
    return QStringLiteral("注意");
}

} // namespace

ProductPage::ProductPage(AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_ui(std::make_unique<Ui::ProductPage>())
{
    m_ui->setupUi(this);
    setUpList();
    fill();

    const bool administrator = m_settings.isAdministrator();
    bool memory = true;
    if (administrator)
        onDatabase([&](Database &db) { memory = ShopRow::read(db).productMemory; });
    // An ordinary user sees the switch off; the stored flag stays as it is.
    m_ui->rememberBox->setChecked(administrator && memory);
    for (QWidget *control :
         {static_cast<QWidget *>(m_ui->addButton), static_cast<QWidget *>(m_ui->modifyButton),
          static_cast<QWidget *>(m_ui->deleteButton), static_cast<QWidget *>(m_ui->rememberBox)})
        control->setEnabled(administrator);

    connect(m_ui->addButton, &QPushButton::clicked, this, &ProductPage::add);
    connect(m_ui->modifyButton, &QPushButton::clicked, this, &ProductPage::modify);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &ProductPage::remove);
    connect(m_ui->rememberBox, &QCheckBox::clicked, this, &ProductPage::switchMemory);
    connect(m_ui->exportButton, &QPushButton::clicked, this, &ProductPage::exportProducts);
    connect(m_ui->importButton, &QPushButton::clicked, this, &ProductPage::importProducts);
    connect(m_ui->list, &SortableList::rowDoubleClicked, this, [this](int row) {
        if (row >= 0 && m_ui->modifyButton->isEnabled())
            modify();
    });
    connect(m_ui->list, &SortableList::deletePressed, this, [this] {
        if (m_ui->deleteButton->isEnabled())
            remove();
    });
}

ProductPage::~ProductPage() = default;

SortableList *ProductPage::list() const
{
    return m_ui->list;
}

void ProductPage::setUpList()
{
    CatalogueListLook::apply(m_ui->list);
    m_ui->list->setMultiSelect(true);
    m_ui->list->setColumns({{QStringLiteral("序号"), 37},
                            {QStringLiteral("名称"), 123},
                            {QStringLiteral("单价"), 77}});
}

bool ProductPage::onDatabase(const std::function<void(Database &)> &operation)
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return false;
    return DbOperation::run(this, [&] { operation(db); });
}

void ProductPage::fill()
{
    QList<Product> products;
    if (!onDatabase([&](Database &db) { products = ProductCatalogue(db).all(); }))
        return;
    m_ui->list->setRows(ProductImport::listRows(products));
}

Product ProductPage::productAt(int row) const
{
    return {m_ui->list->itemData(row), m_ui->list->text(row, TextColumn),
            m_ui->list->text(row, PriceColumn)};
}

void ProductPage::selectRow(int row)
{
    if (row >= 0 && row < m_ui->list->rowCount())
        m_ui->list->selectOnly(row);
    m_ui->list->setFocus();
}

void ProductPage::add()
{
    ProductDialog dialog(m_settings, this);
    if (ModalDialogs::run(dialog) == QDialog::Accepted) {
        const Product added = dialog.product();
        fill();
        for (int row = 0; row < m_ui->list->rowCount(); ++row)
            if (m_ui->list->text(row, TextColumn) == added.text)
                selectRow(row);
    }
    m_ui->list->setFocus();
}

void ProductPage::modify()
{
    const QList<int> selected = m_ui->list->selectedRows();
    if (selected.isEmpty()) {
        Prompt::warn(this, QStringLiteral("请选择要修改的行!"), attention());
        m_ui->list->setFocus();
        return;
    }
    const int row = selected.first();
    ProductDialog dialog(m_settings, productAt(row), this);
    if (ModalDialogs::run(dialog) == QDialog::Accepted) {
        m_ui->list->setText(row, TextColumn, dialog.product().text);
        m_ui->list->setText(row, PriceColumn, dialog.product().price);
    }
    selectRow(row);
}

void ProductPage::remove()
{
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    const QList<int> selected = m_ui->list->selectedRows();
    if (selected.isEmpty()) {
        Prompt::warn(this, QStringLiteral("请选择您要删除的行!"), attention());
        return;
    }
    const QString question =
        selected.size() == 1
            ? QStringLiteral("真的要删除商品名“ %1 ”吗？").arg(productAt(selected.first()).name())
            : QStringLiteral("真的要删除所选中的多条记录吗？");
    if (!Prompt::yesNo(this, question, attention()))
        return;
    QList<qint64> ids;
    for (int row : selected)
        ids.append(m_ui->list->itemData(row));
    const bool removed = DbOperation::run(this, [&] { ProductCatalogue(db).remove(ids); });
    db.close();
    if (!removed)
        return;
    fill();
    if (selected.size() == 1)
        selectRow(qMin(selected.first(), m_ui->list->rowCount() - 1));
}

void ProductPage::switchMemory(bool on)
{
    onDatabase([&](Database &db) { ShopRow::storeSwitch(db, ShopRow::Switch::ProductMemory, on); });
}

void ProductPage::exportProducts()
{
    exportList(this, *m_ui->list->listModel(), ProductImport::sheetName(),
               ProductImport::numberColumns());
}

void ProductPage::importProducts()
{
    Prompt::FileRequest request;
    request.caption = QStringLiteral("导入文件");
    request.filters = {QStringLiteral("表格文件(*.xlsx *.xls *.csv *.txt)"),
                       QStringLiteral("所有文件(*)")};
    request.selectedFilter = request.filters.first();
    const QString path = Prompt::instance().openFile(this, request);
    if (path.isEmpty())
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ProductImport::Result result = ProductImport::read(path);
    QApplication::restoreOverrideCursor();
    if (!result.readable) {
        Prompt::warn(this, ProductImport::unreadableMessage(path, result));
        return;
    }
    if (result.products.isEmpty()) {
        Prompt::warn(this, ProductImport::summary(result));
        return;
    }
    if (!replaceConfirmed(result))
        return;
    if (!onDatabase([&](Database &db) { ProductCatalogue(db).replaceAll(result.products); }))
        return;
    fill();
    Prompt::info(this, ProductImport::summary(result));
}

bool ProductPage::replaceConfirmed(const ProductImport::Result &result)
{
    const QString text = ProductImport::replacement(result, m_ui->list->rowCount()) +
                         QStringLiteral("\n\n是否继续导入？");
    return Prompt::instance().ask(this, text, QStringLiteral("导入商品"), Prompt::Icon::Question,
                                  Prompt::Buttons::YesNo) == Prompt::Answer::Yes;
}
