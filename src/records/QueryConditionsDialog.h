#pragma once

#include "data/SqlDialect.h"
#include "records/QueryConditions.h"
#include "records/QueryStatement.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QLineEdit;
class QWheelEvent;
struct AppSettings;
namespace Ui {
class QueryConditionsDialog;
}

// "查询": the conditions of a query. "查询(&Q)" (also Enter) builds the
// statement and hands it to the query window, which fills the detail total
// list when the window's "显示详情总表" was ticked at opening, otherwise the
// sales list; the dialog stays open until "退出(&X)" or Escape. Every opening
// starts from the defaults. Amount fields take digits and "-" only, show
// "无限" when empty and step with the wheel. The statements are written for
// the records engine DIALECT.
class QueryConditionsDialog : public QDialog
{
    Q_OBJECT

public:
    using Runner = std::function<void(const QueryStatement &statement, bool detailMode)>;

    QueryConditionsDialog(const AppSettings &settings, const SqlDialect &dialect, bool detailMode,
                          Runner run, QWidget *parent = nullptr);
    ~QueryConditionsDialog() override;

    QueryConditions conditions() const;
    bool detailMode() const { return m_detailMode; }

    void query();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists(const AppSettings &settings);
    bool filterAmountKey(QKeyEvent *event);
    void amountFocusIn(QLineEdit *edit);
    void amountFocusOut(QLineEdit *edit);
    void wheelTurned(QObject *receiver, QWheelEvent *event);
    bool isPicker(QObject *object) const;
    void wheel(bool up);
    void watchWheel(QWidget *widget);

    // A notch of the wheel, in eighths of a degree.
    static constexpr int notch = 120;
    struct Wheel
    {
        QPointer<QWidget> receiver;
        quint64 timestamp = 0;
        QPointF globalPosition;
        QPoint angle;
    };

    std::unique_ptr<Ui::QueryConditionsDialog> ui;
    SqlDialect m_dialect;
    bool m_detailMode;
    bool m_showProductCode;
    Runner m_run;
    Wheel m_lastWheel;
    int m_wheelAngle = 0;
};
