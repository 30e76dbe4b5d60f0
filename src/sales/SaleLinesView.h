#pragma once

#include "controls/ControlLock.h"
#include "sales/SaleEntry.h"

#include <QVector>
#include <QWidget>

#include <memory>

class SortableList;

namespace Ui {
class SaleLinesView;
}

// The sale's lines in the sales window, with the summary line under them and
// the notice shown while a sale is in doubt.
class SaleLinesView : public QWidget
{
    Q_OBJECT

public:
    explicit SaleLinesView(QWidget *parent = nullptr);
    ~SaleLinesView() override;

    SortableList *list() const;

    // The columns' titles in English or Chinese.
    void setUpColumns(bool english);
    void relabelColumns(bool english);

    // Brings the list in step with LINES after CHANGE (ROW: the appended or changed row).
    void showChange(SaleEntry::ListChange change, int row, const SaleLines &lines);
    void showSelection(const SaleEntry::Selection &selection);
    SaleEntry::Selection selection() const;
    // The lines' item data in the order the list shows them.
    QVector<int> order() const;

    void showSummary(const QString &summary);
    void showDoubt(const QString &text, bool shown);
    void setLocked(bool locked);

signals:
    void lineClicked();
    void deletePressed();
    void sorted();

private:
    std::unique_ptr<Ui::SaleLinesView> ui;
    ControlLock m_lock;
};
